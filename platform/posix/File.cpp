#include "platform/File.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

ReadOnlyFile::~ReadOnlyFile()
{
    close();
}

ReadOnlyFile::OpenStatus ReadOnlyFile::open(const std::string& path)
{
    close();
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) {
            return OpenStatus::Missing;
        }
        m_error = std::strerror(errno);
        return OpenStatus::Failed;
    }
    // What was opened, not what the name was a moment before.
    struct stat info;
    if (::fstat(fd, &info) != 0) {
        m_error = std::strerror(errno);
        ::close(fd);
        return OpenStatus::Failed;
    }
    if (S_ISDIR(info.st_mode)) {
        ::close(fd);
        return OpenStatus::Missing;
    }
    if (!S_ISREG(info.st_mode)) {
        m_error = "not a regular file";
        ::close(fd);
        return OpenStatus::NotAFile;
    }
    m_handle = fd;
    return OpenStatus::Opened;
}

void ReadOnlyFile::close()
{
    if (m_handle >= 0) {
        ::close(static_cast<int>(m_handle));
    }
    m_handle = -1;
}

std::int64_t ReadOnlyFile::size()
{
    struct stat info;
    if (m_handle < 0 || ::fstat(static_cast<int>(m_handle), &info) != 0) {
        m_error = std::strerror(m_handle < 0 ? EBADF : errno);
        return -1;
    }
    return static_cast<std::int64_t>(info.st_size);
}

std::int64_t ReadOnlyFile::read(char* buffer, std::int64_t maxSize)
{
    // Linux reads at most about 2 GiB a call.
    const auto count = static_cast<std::size_t>(maxSize < 0x40000000 ? maxSize : 0x40000000);
    for (;;) {
        const ssize_t done = ::read(static_cast<int>(m_handle), buffer, count);
        if (done >= 0) {
            return static_cast<std::int64_t>(done);
        }
        if (errno != EINTR) {
            m_error = std::strerror(errno);
            return -1;
        }
    }
}

} // namespace platform
