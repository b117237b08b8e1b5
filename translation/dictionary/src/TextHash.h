#pragma once

#include <cstddef>
#include <cstdint>

namespace translation {

// A hash of UTF-16 texts keyed by a secret drawn once per process, so that
// no file can be made to collide on purpose. Eight bytes at a time go
// through a full 64 x 64 -> 128-bit multiplication folded to 64 bits, which
// spreads every input bit over the whole result.
class TextHash
{
public:
    // The process's own key.
    static const TextHash& processKey();

    std::uint64_t operator()(const char16_t* units, std::size_t count) const;

private:
    TextHash() = default;
    std::uint64_t m_secret[4] = {};
};

} // namespace translation
