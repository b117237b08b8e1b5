#include "translation/TextDecoder.h"

#include "platform/Utf8.h"
#include "translation/CaseFolding.h"

namespace translation {

namespace {

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
        return platform::decodeUtf8(bytes, out);
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
