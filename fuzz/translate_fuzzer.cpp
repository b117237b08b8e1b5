// A dictionary and a text to translate: the answer must be what Qt's own
// case-insensitive comparison, scanning the entries in order, and Qt's own
// left-to-right replacement give.
//
// Input: two bytes giving the length of the text (in UTF-16 units, taken
// from the end of the input), the dictionary file in between.

#include "translation/Dictionary.h"

#include <QString>
#include <QStringView>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace translation;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2) {
        return 0;
    }
    const std::size_t units = std::min<std::size_t>((data[0] | data[1] << 8), (size - 2) / 2);
    const std::size_t fileSize = size - 2 - units * 2;
    QString text(qsizetype(units), Qt::Uninitialized);
    std::memcpy(text.data(), data + 2 + fileSize, units * 2);

    const std::optional<Dictionary> dictionary =
        Dictionary::fromBytes(std::string_view(reinterpret_cast<const char*>(data + 2), fileSize));
    if (!dictionary) {
        std::abort();
    }

    QString key = text;
    key.replace(QStringLiteral("\r\n"), QStringLiteral("||"));
    QString expected = key;
    const auto qt = [](std::u16string_view text) {
        return QStringView(text.data(), qsizetype(text.size()));
    };
    for (std::ptrdiff_t k = 0; k < dictionary->size(); ++k) {
        if (qt(dictionary->source(k)).compare(key, Qt::CaseInsensitive) == 0) {
            expected = qt(dictionary->target(k)).toString();
            break;
        }
    }
    expected.replace(QStringLiteral("||"), QStringLiteral("\r\n"));

    const std::u16string translated = dictionary->translate(
        std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), units));
    const QString result = qt(translated).toString();
    if (result != expected) {
        std::fprintf(stderr, "translate_fuzzer: got \"%s\", expected \"%s\"\n", qPrintable(result),
                     qPrintable(expected));
        std::abort();
    }
    return 0;
}
