#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace translation {

// The largest dictionary file read, in bytes (2 GiB less one byte); a
// larger one is reported and left unread.
constexpr std::int64_t MaxDictionarySize = 0x7fffffff;

// Reads up to `maxSize` bytes into `buffer`: the number read, 0 at the end
// of the file, or -1 when reading failed.
using ReadFunction = std::function<std::int64_t(char* buffer, std::int64_t maxSize)>;

struct ReadResult
{
    enum class Status
    {
        Complete,   // everything up to the end of the file
        ReadFailed, // a read failed; `bytes` ends at the last line end before it
    };
    Status status = Status::Complete;
    std::string bytes;
};

// Reads a file of `expectedSize` bytes in one pass. A file that shrinks
// meanwhile ends where its data ends; bytes beyond `expectedSize` (a file
// that grows) are not read, so memory stays bounded by the size the file
// had when it was opened.
ReadResult readAllBytes(std::int64_t expectedSize, const ReadFunction& read);

struct FileReadResult
{
    enum class Status
    {
        Missing,    // no such file, or a folder of that name
        NotAFile,   // a pipe, socket or device: never read
        CannotOpen, // exists but could not be opened, or is too large
        Complete,   // read through
        ReadFailed, // opened, but a read failed part way
    };
    Status status = Status::Missing;
    std::string bytes;
    std::string error;
};

// Reads the dictionary file at `path` (bytes as the file system spells them).
FileReadResult readDictionaryFile(const std::string& path);

// What kept the file of `file` from being read whole, as the words that
// follow the dictionary's name in every report of it: "cannot be read: ..."
// or "reading failed part way (...)". Empty when
// it was read whole or is missing.
std::string readProblem(const FileReadResult& file);

// The same words for a file larger than MaxDictionarySize.
inline constexpr const char* TooLargeToRead = "too large to read";
// What follows readProblem() where the lines read before a failure are used.
inline constexpr const char* UsingTheLinesBefore = "; the lines before are used";

} // namespace translation
