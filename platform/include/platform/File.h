#pragma once

#include <cstdint>
#include <string>

namespace platform {

// A file opened for reading that others may read and write meanwhile.
// Opening never waits: a pipe, socket or device is opened without blocking
// and then refused, so a file swapped for a FIFO between a check and the
// open cannot hang the caller, and nothing but a regular file is ever read.
class ReadOnlyFile
{
public:
    enum class OpenStatus
    {
        Opened,
        Missing,  // no such file, or a folder of that name
        NotAFile, // a pipe, socket or device
        Failed,   // exists but could not be opened; error() says why
    };

    ReadOnlyFile() = default;
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;
    ~ReadOnlyFile();

    // Opens `path` (bytes as the file system spells them), closing any
    // file opened before.
    OpenStatus open(const std::string& path);
    void close();

    // The size of the open file, or -1 when it cannot be taken.
    std::int64_t size();
    // Reads up to `maxSize` bytes at the current position: the number
    // read, 0 at the end of the file, or -1 when reading failed.
    std::int64_t read(char* buffer, std::int64_t maxSize);

    // The system's description of the last failure.
    const std::string& error() const { return m_error; }

private:
    std::intptr_t m_handle = -1;
    std::string m_error;
};

} // namespace platform
