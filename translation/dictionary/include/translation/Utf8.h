#pragma once

#include <string>
#include <string_view>

namespace translation {

// UTF-8 as the dictionary's decoder reads it (malformed bytes become
// U+FFFD, see TextDecoder), for texts that come from the program itself.
std::u16string fromUtf8(std::string_view bytes);

// UTF-16 as UTF-8, for programs that print texts or write dictionaries. An
// unpaired surrogate, which UTF-8 cannot hold, becomes U+FFFD.
std::string toUtf8(std::u16string_view text);

} // namespace translation
