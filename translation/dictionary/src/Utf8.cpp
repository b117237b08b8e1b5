#include "translation/Utf8.h"

#include "translation/TextDecoder.h"

namespace translation {

std::u16string fromUtf8(std::string_view bytes)
{
    std::u16string text(TextDecoder::maxUnits(bytes.size()), u'\0');
    const char16_t* end = TextDecoder(TextEncoding::Utf8).decode(bytes, text.data());
    text.resize(static_cast<std::size_t>(end - text.data()));
    return text;
}

std::string toUtf8(std::u16string_view text)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xd800 && c <= 0xdfff) {
            const bool pair = c <= 0xdbff && i + 1 < text.size() && text[i + 1] >= 0xdc00 &&
                              text[i + 1] <= 0xdfff;
            if (pair) {
                c = 0x10000 + ((c - 0xd800) << 10) + (text[i + 1] - 0xdc00);
                ++i;
            } else {
                c = 0xfffd;
            }
        }
        if (c < 0x80) {
            bytes += static_cast<char>(c);
        } else if (c < 0x800) {
            bytes += static_cast<char>(0xc0 | (c >> 6));
            bytes += static_cast<char>(0x80 | (c & 0x3f));
        } else if (c < 0x10000) {
            bytes += static_cast<char>(0xe0 | (c >> 12));
            bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3f));
            bytes += static_cast<char>(0x80 | (c & 0x3f));
        } else {
            bytes += static_cast<char>(0xf0 | (c >> 18));
            bytes += static_cast<char>(0x80 | ((c >> 12) & 0x3f));
            bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3f));
            bytes += static_cast<char>(0x80 | (c & 0x3f));
        }
    }
    return bytes;
}

} // namespace translation
