#include "NaiveDictionary.h"

#include "translation/TextDecoder.h"

#include <QByteArray>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// One line: 100-byte reads until a CR, LFs dropped, and the position moved
// back to just after the CR.
QByteArray readLine(int fd)
{
    QByteArray line;
    char chunk[100];
    for (;;) {
        const ssize_t count = ::read(fd, chunk, sizeof chunk);
        if (count <= 0) {
            return line;
        }
        const void* cr = std::memchr(chunk, '\r', static_cast<std::size_t>(count));
        const ssize_t partLength = cr ? static_cast<const char*>(cr) - chunk : count;
        for (ssize_t i = 0; i < partLength; ++i) {
            if (chunk[i] != '\n') {
                line.append(chunk[i]);
            }
        }
        if (cr) {
            ::lseek(fd, partLength + 1 - count, SEEK_CUR);
            return line;
        }
    }
}

QString decode(const translation::TextDecoder& decoder, QByteArrayView bytes)
{
    QString text(qsizetype(translation::TextDecoder::maxUnits(std::size_t(bytes.size()))),
                 Qt::Uninitialized);
    auto* begin = reinterpret_cast<char16_t*>(text.data());
    const char16_t* end =
        decoder.decode(std::string_view(bytes.data(), std::size_t(bytes.size())), begin);
    text.truncate(end - begin);
    return text;
}

} // namespace

NaiveDictionary NaiveDictionary::load(const std::string& path)
{
    NaiveDictionary dictionary;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return dictionary;
    }
    dictionary.loaded = true;
    const translation::TextDecoder decoder(translation::TextEncoding::Windows1251);
    for (;;) {
        struct stat info;
        const off_t position = ::lseek(fd, 0, SEEK_CUR);
        if (::fstat(fd, &info) != 0 || position < 0 ||
            static_cast<std::uint32_t>(position) >= static_cast<std::uint32_t>(info.st_size)) {
            break;
        }
        const QByteArray line = readLine(fd);
        const qsizetype p = line.indexOf("\"=\"") + 1;
        const qsizetype sourceLength = p - 2;
        const qsizetype targetLength = line.size() - p - 3;
        dictionary.sources.append(
            sourceLength > 0 ? decode(decoder, QByteArrayView(line).sliced(1, sourceLength))
                             : QString());
        dictionary.targets.append(
            targetLength > 0 ? decode(decoder, QByteArrayView(line).sliced(p + 2, targetLength))
                             : QString());
    }
    ::close(fd);
    return dictionary;
}

QString NaiveDictionary::translate(const QString& text) const
{
    QString result = text;
    result.replace(QStringLiteral("\r\n"), QStringLiteral("||"));
    if (loaded) {
        for (qsizetype k = 0; k < sources.size(); ++k) {
            if (sources.at(k).compare(result, Qt::CaseInsensitive) == 0) {
                result = targets.at(k);
                break;
            }
        }
    }
    return result.replace(QStringLiteral("||"), QStringLiteral("\r\n"));
}
