#include "platform/Utf8.h"

namespace platform {

namespace {

constexpr char16_t Replacement = 0xfffd;

bool isContinuation(unsigned char byte)
{
    return (byte & 0xc0) == 0x80;
}

// Decodes the sequence starting at `*in` (before `end`) into `out`: moves
// `in` past it and returns the position after the units written, or null
// (and moves nothing) when the sequence is malformed or cut short.
char16_t* decodeSequence(const unsigned char*& in, const unsigned char* end, char16_t* out)
{
    const unsigned char lead = *in;
    if (lead < 0x80) {
        *out = lead;
        ++in;
        return out + 1;
    }
    std::size_t length;
    char32_t codePoint;
    char32_t least;
    if (lead < 0xc2) {
        return nullptr; // a continuation byte, or the lead of an overlong pair
    } else if (lead < 0xe0) {
        length = 2;
        codePoint = lead & 0x1f;
        least = 0x80;
    } else if (lead < 0xf0) {
        length = 3;
        codePoint = lead & 0x0f;
        least = 0x800;
    } else if (lead < 0xf5) {
        length = 4;
        codePoint = lead & 0x07;
        least = 0x10000;
    } else {
        return nullptr;
    }
    if (std::size_t(end - in) < length) {
        return nullptr;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if (!isContinuation(in[k])) {
            return nullptr;
        }
        codePoint = codePoint << 6 | (in[k] & 0x3f);
    }
    if (codePoint < least || (codePoint >= 0xd800 && codePoint <= 0xdfff) || codePoint > 0x10ffff) {
        return nullptr;
    }
    in += length;
    if (codePoint < 0x10000) {
        *out = static_cast<char16_t>(codePoint);
        return out + 1;
    }
    codePoint -= 0x10000;
    out[0] = static_cast<char16_t>(0xd800 + (codePoint >> 10));
    out[1] = static_cast<char16_t>(0xdc00 + (codePoint & 0x3ff));
    return out + 2;
}

} // namespace

bool isValidUtf8(std::string_view bytes)
{
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = in + bytes.size();
    char16_t scratch[2];
    while (in < end) {
        if (*in < 0x80) {
            ++in;
        } else if (!decodeSequence(in, end, scratch)) {
            return false;
        }
    }
    return true;
}

char16_t* decodeUtf8(std::string_view bytes, char16_t* out)
{
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = in + bytes.size();
    while (in < end) {
        if (char16_t* next = decodeSequence(in, end, out)) {
            out = next;
        } else {
            *out++ = Replacement;
            ++in;
        }
    }
    return out;
}

std::u16string fromUtf8(std::string_view bytes)
{
    std::u16string text(bytes.size(), u'\0');
    text.resize(static_cast<std::size_t>(decodeUtf8(bytes, text.data()) - text.data()));
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
                c = Replacement;
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

} // namespace platform
