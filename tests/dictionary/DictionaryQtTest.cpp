// The dictionary's own decoding and folding against Qt's, which the Linux
// program used before and which Linux users' dictionaries were read with.

#include "QtPrinting.h"
#include "platform/Utf8.h"
#include "translation/CaseFolding.h"
#include "translation/Dictionary.h"
#include "translation/TextDecoder.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <gtest/gtest.h>
#include <random>

using namespace translation;

namespace {

QString fromU16(std::u16string_view text)
{
    return QString(reinterpret_cast<const QChar*>(text.data()), qsizetype(text.size()));
}

QString decodeOwn(TextEncoding encoding, std::string_view bytes)
{
    std::u16string out(bytes.size(), u'\0');
    out.resize(std::size_t(TextDecoder(encoding).decode(bytes, out.data()) - out.data()));
    return fromU16(out);
}

QString decodeWithQt(std::string_view bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                     QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

// Latin, Greek and Cyrillic with their extensions, and the full-width forms.
constexpr std::pair<char32_t, char32_t> LetterRanges[] = {
    {0x0000, 0x052F}, {0x1C80, 0x1C8F}, {0x1E00, 0x1FFF}, {0x2C60, 0x2C7F}, {0x2DE0, 0x2DFF},
    {0xA640, 0xA69F}, {0xA720, 0xA7FF}, {0xAB30, 0xAB6F}, {0xFF00, 0xFFEF},
};

} // namespace

TEST(DictionaryAgainstQt, Windows1251TableIsQtsConverter)
{
    QStringDecoder qt("windows-1251", QStringDecoder::Flag::Stateless);
    ASSERT_TRUE(qt.isValid());
    std::string all(256, '\0');
    for (int i = 0; i < 256; ++i) {
        all[std::size_t(i)] = static_cast<char>(i);
    }
    const QString expected = qt.decode(QByteArrayView(all.data(), 256));
    EXPECT_EQ(decodeOwn(TextEncoding::Windows1251, all), expected);
}

TEST(DictionaryAgainstQt, Utf8DecodesAsQtsDecoderDoesMalformedBytesIncluded)
{
    const std::string_view pieces[] = {"a",
                                       "\xD0\x81",
                                       "\xE2\x82\xAC",
                                       "\xF0\x9F\x98\x80",
                                       "\xEF\xBB\xBF",
                                       "\x80",
                                       "\xBF",
                                       "\xC0",
                                       "\xC1",
                                       "\xC2",
                                       "\xE0",
                                       "\xED\xA0",
                                       "\xF4\x90",
                                       "\xF5",
                                       "\xFF",
                                       "\xEF\xBF\xBE"};
    std::mt19937 random(2024);
    for (int round = 0; round < 20000; ++round) {
        std::string bytes;
        const int count = int(random() % 6);
        for (int k = 0; k < count; ++k) {
            if (random() % 4 == 0) {
                bytes += static_cast<char>(random());
            } else {
                bytes += pieces[random() % std::size(pieces)];
            }
        }
        ASSERT_EQ(decodeOwn(TextEncoding::Utf8, bytes), decodeWithQt(bytes))
            << testing::PrintToString(bytes);
        ASSERT_EQ(platform::isValidUtf8(bytes),
                  QByteArrayView(bytes.data(), qsizetype(bytes.size())).isValidUtf8())
            << testing::PrintToString(bytes);
    }
}

TEST(DictionaryAgainstQt, LatinAndCyrillicFoldAsQtFoldsThem)
{
    for (const auto& [first, last] : LetterRanges) {
        for (char32_t c = first; c <= last; ++c) {
            ASSERT_EQ(foldCodePoint(c), QChar::toCaseFolded(c)) << std::hex << std::uint32_t(c);
        }
    }
}

// Every pair of letters from the ranges above: the dictionary finds the
// entry exactly when Qt's case-insensitive comparison calls the two equal
// (Ё and Е stay apart, ẞ finds ß).
TEST(DictionaryAgainstQt, LookupAgreesWithQtsCaseInsensitiveComparison)
{
    std::string bytes;
    std::vector<QString> sources;
    for (const auto& [first, last] : LetterRanges) {
        for (char32_t c = first; c <= last; ++c) {
            if (c < 0x20 || c == U'=' || (c >= 0xD800 && c <= 0xDFFF)) { // "=" would split the line
                continue;
            }
            const QString letter = QString::fromUcs4(&c, 1);
            sources.push_back(letter);
            bytes +=
                "\"" + letter.toStdString() + "\"=\"" + std::to_string(sources.size() - 1) + "\"\n";
        }
    }
    const std::optional<Dictionary> dictionary = Dictionary::fromBytes(bytes);
    ASSERT_TRUE(dictionary);
    for (const QString& text : sources) {
        const std::u16string_view view(reinterpret_cast<const char16_t*>(text.utf16()),
                                       std::size_t(text.size()));
        std::ptrdiff_t expected = -1;
        for (std::size_t k = 0; k < sources.size() && expected < 0; ++k) {
            if (sources[k].compare(text, Qt::CaseInsensitive) == 0) {
                expected = std::ptrdiff_t(k);
            }
        }
        ASSERT_EQ(dictionary->find(view), expected) << text.toStdString();
    }
}
