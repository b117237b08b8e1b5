#pragma once

// UTF-8 and UTF-16 with one set of rules for every program and platform:
// the dictionary's texts, the window's texts and the error lines. Nothing
// here fails: what cannot be converted becomes U+FFFD.

#include <string>
#include <string_view>

namespace platform {

// Whether `bytes` are well-formed UTF-8: no overlong form, no encoded
// surrogate, nothing above U+10FFFF, no sequence cut short.
bool isValidUtf8(std::string_view bytes);

// Writes the UTF-16 of `bytes` from `out` on, which must have room for
// bytes.size() units (no byte gives more than one); returns the position
// after the last. Allocates nothing. A byte that does not start a
// well-formed sequence becomes one U+FFFD and decoding goes on with the
// byte after it, as Qt's decoder replaces malformed UTF-8.
char16_t* decodeUtf8(std::string_view bytes, char16_t* out);

// decodeUtf8() into a string.
std::u16string fromUtf8(std::string_view bytes);

// UTF-16 as UTF-8. An unpaired surrogate, which UTF-8 cannot hold, becomes
// U+FFFD.
std::string toUtf8(std::u16string_view text);

} // namespace platform
