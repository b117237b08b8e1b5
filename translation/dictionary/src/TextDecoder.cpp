#include "translation/TextDecoder.h"

#include "translation/CaseFolding.h"

namespace translation {

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

struct Windows1251Tables
{
    std::array<char16_t, 256> units{};
    std::array<char16_t, 256> folded{};
};

const Windows1251Tables& windows1251Tables()
{
    // Bytes 0x80 to 0xFF; the lower half is ASCII.
    static constexpr char16_t Upper[128] = {
        0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, //
        0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, //
        0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
        0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, //
        0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, //
        0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, //
        0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, //
        0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, //
    };
    static const Windows1251Tables tables = [] {
        Windows1251Tables result;
        for (std::size_t i = 0; i < 256; ++i) {
            char16_t unit = static_cast<char16_t>(i);
            if (i >= 0xc0) {
                unit = static_cast<char16_t>(0x0410 + (i - 0xc0)); // А to я in order
            } else if (i >= 0x80) {
                unit = Upper[i - 0x80];
            }
            result.units[i] = unit;
            result.folded[i] = foldUnit(unit);
        }
        return result;
    }();
    return tables;
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

const std::array<char16_t, 256>& windows1251Units()
{
    return windows1251Tables().units;
}

TextDecoder::TextDecoder(TextEncoding encoding)
    : m_encoding(encoding), m_units(&windows1251Tables().units),
      m_folded(&windows1251Tables().folded)
{
}

char16_t* TextDecoder::decode(std::string_view bytes, char16_t* out) const
{
    if (m_encoding == TextEncoding::Utf8) {
        return decodeUtf8(bytes, out);
    }
    const auto& table = *m_units;
    for (const char c : bytes) {
        *out++ = table[static_cast<unsigned char>(c)];
    }
    return out;
}

bool TextDecoder::decodeFolded(std::string_view bytes, FoldBuffer& out) const
{
    if (m_encoding != TextEncoding::Windows1251) {
        return false;
    }
    const auto& table = *m_folded;
    out.resize(bytes.size());
    char16_t* folded = out.data();
    for (const char c : bytes) {
        *folded++ = table[static_cast<unsigned char>(c)];
    }
    return true;
}

} // namespace translation
