#include "translation/DictionaryReader.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace translation {

namespace {

// Bytes up to and including the last line end: what was read before a
// failure, without the line the failure cut short.
qsizetype completeLinesLength(const QByteArray& bytes)
{
    for (qsizetype i = bytes.size(); i > 0; --i) {
        const char c = bytes.at(i - 1);
        if (c == '\r' || c == '\n')
            return i;
    }
    return 0;
}

} // namespace

ReadResult readAllBytes(qint64 expectedSize, const ReadFunction& read)
{
    ReadResult result;
    const qint64 size = std::max<qint64>(expectedSize, 0);
    result.bytes = QByteArray(static_cast<qsizetype>(size), Qt::Uninitialized);
    qint64 total = 0;
    while (total < size) {
        const qint64 count = read(result.bytes.data() + total, size - total);
        if (count < 0 || count > size - total) {
            result.status = ReadResult::Status::ReadFailed;
            result.bytes.truncate(completeLinesLength(result.bytes.first(total)));
            result.bytes.squeeze();
            return result;
        }
        if (count == 0)
            break;
        total += count;
    }
    if (total < size) {
        result.bytes.truncate(static_cast<qsizetype>(total));
        result.bytes.squeeze();
    }
    return result;
}

FileReadResult readDictionaryFile(const std::string& path)
{
    FileReadResult result;
    const QString name = QFile::decodeName(QByteArray::fromStdString(path));
    const QFileInfo info(name);
    if (!info.exists() || info.isDir())
        return result;
    if (!info.isFile()) {
        // Opening a pipe could wait for a writer for ever.
        result.status = FileReadResult::Status::NotAFile;
        result.error = QStringLiteral("not a regular file");
        return result;
    }
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        result.status = FileReadResult::Status::CannotOpen;
        result.error = file.errorString();
        return result;
    }
    if (file.size() > MaxDictionarySize) {
        result.status = FileReadResult::Status::CannotOpen;
        result.error = QStringLiteral("larger than %1 bytes").arg(MaxDictionarySize);
        return result;
    }
    ReadResult read = readAllBytes(
        file.size(), [&file](char* buffer, qint64 maxSize) { return file.read(buffer, maxSize); });
    result.bytes = std::move(read.bytes);
    if (read.status == ReadResult::Status::ReadFailed) {
        result.status = FileReadResult::Status::ReadFailed;
        result.error = file.errorString();
    } else {
        result.status = FileReadResult::Status::Complete;
    }
    return result;
}

} // namespace translation
