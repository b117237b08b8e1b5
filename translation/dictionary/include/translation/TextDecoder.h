#pragma once

#include "translation/DictionaryFormat.h"
#include "translation/FoldBuffer.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace translation {

// The UTF-16 unit of each byte under the Windows-1251 code page; the one
// byte it leaves undefined, 0x98, stands for U+0098.
const std::array<char16_t, 256>& windows1251Units();

// Decodes the texts of one dictionary, each on its own: a text split off in
// the middle of a UTF-8 sequence yields U+FFFD and never disturbs the next.
//
// Malformed UTF-8 is replaced as Qt's decoder replaces it on Linux, so that
// both programs read a broken dictionary alike (platform::decodeUtf8: a
// byte that does not start a well-formed sequence becomes one U+FFFD and
// decoding goes on with the byte after it). Windows-1251 is a single-byte code page, so decoding it
// is one table lookup per byte.
class TextDecoder
{
public:
    explicit TextDecoder(TextEncoding encoding);

    TextEncoding encoding() const { return m_encoding; }

    // Most UTF-16 units that decoding `byteCount` bytes may write: every
    // byte gives at most one, whichever the encoding.
    static std::size_t maxUnits(std::size_t byteCount) { return byteCount; }

    // Writes the decoded `bytes` from `out` on, which must have room for
    // maxUnits(bytes.size()) units; returns the position after the last.
    char16_t* decode(std::string_view bytes, char16_t* out) const;

    // Puts caseFold() of the decoded `bytes` into `out` straight from the
    // bytes, where the encoding is single-byte; false (and `out` untouched)
    // for UTF-8.
    bool decodeFolded(std::string_view bytes, FoldBuffer& out) const;

private:
    TextEncoding m_encoding;
    const std::array<char16_t, 256>* m_units;
    const std::array<char16_t, 256>* m_folded;
};

} // namespace translation
