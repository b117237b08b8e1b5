#include "translation/DictionaryReader.h"

#include "platform/File.h"

#include <algorithm>
#include <string_view>

namespace translation {

namespace {

// Bytes up to and including the last line end: what was read before a
// failure, without the line the failure cut short.
std::size_t completeLinesLength(std::string_view bytes)
{
    const std::size_t last = bytes.find_last_of("\r\n");
    return last == std::string_view::npos ? 0 : last + 1;
}

} // namespace

ReadResult readAllBytes(std::int64_t expectedSize, const ReadFunction& read)
{
    ReadResult result;
    const std::int64_t size = std::max<std::int64_t>(expectedSize, 0);
    result.bytes.resize(static_cast<std::size_t>(size));
    std::int64_t total = 0;
    while (total < size) {
        const std::int64_t count = read(result.bytes.data() + total, size - total);
        if (count < 0 || count > size - total) {
            result.status = ReadResult::Status::ReadFailed;
            result.bytes.resize(
                completeLinesLength(std::string_view(result.bytes).substr(0, std::size_t(total))));
            result.bytes.shrink_to_fit();
            return result;
        }
        if (count == 0) {
            break;
        }
        total += count;
    }
    if (total < size) {
        result.bytes.resize(static_cast<std::size_t>(total));
        result.bytes.shrink_to_fit();
    }
    return result;
}

FileReadResult readDictionaryFile(const std::string& path)
{
    FileReadResult result;
    platform::ReadOnlyFile file;
    switch (file.open(path)) {
    case platform::ReadOnlyFile::OpenStatus::Missing:
        return result;
    case platform::ReadOnlyFile::OpenStatus::NotAFile:
        result.status = FileReadResult::Status::NotAFile;
        result.error = file.error();
        return result;
    case platform::ReadOnlyFile::OpenStatus::Failed:
        result.status = FileReadResult::Status::CannotOpen;
        result.error = file.error();
        return result;
    case platform::ReadOnlyFile::OpenStatus::Opened:
        break;
    }
    const std::int64_t size = file.size();
    if (size < 0) {
        result.status = FileReadResult::Status::CannotOpen;
        result.error = file.error();
        return result;
    }
    if (size > MaxDictionarySize) {
        result.status = FileReadResult::Status::CannotOpen;
        result.error = "larger than " + std::to_string(MaxDictionarySize) + " bytes";
        return result;
    }
    ReadResult read = readAllBytes(
        size, [&file](char* buffer, std::int64_t maxSize) { return file.read(buffer, maxSize); });
    result.bytes = std::move(read.bytes);
    if (read.status == ReadResult::Status::ReadFailed) {
        result.status = FileReadResult::Status::ReadFailed;
        result.error = file.error();
    } else {
        result.status = FileReadResult::Status::Complete;
    }
    return result;
}

std::string readProblem(const FileReadResult& file)
{
    switch (file.status) {
    case FileReadResult::Status::NotAFile:
    case FileReadResult::Status::CannotOpen:
        return "cannot be read: " + file.error;
    case FileReadResult::Status::ReadFailed:
        return "reading failed part way (" + file.error + ")";
    case FileReadResult::Status::Missing:
    case FileReadResult::Status::Complete:
        break;
    }
    return {};
}

} // namespace translation
