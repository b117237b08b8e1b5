#include "platform/File.h"

#include "platform/WideText.h"

#include <windows.h>

namespace platform {

namespace {

HANDLE handleOf(std::intptr_t value)
{
    return reinterpret_cast<HANDLE>(value);
}

} // namespace

ReadOnlyFile::~ReadOnlyFile()
{
    close();
}

ReadOnlyFile::OpenStatus ReadOnlyFile::open(const std::string& path)
{
    close();
    // Others may read and write the file while it is open.
    const HANDLE handle =
        CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) {
            return OpenStatus::Missing;
        }
        // A folder cannot be opened this way; it counts as no file.
        const DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            return OpenStatus::Missing;
        }
        m_error = systemErrorText(code);
        return OpenStatus::Failed;
    }
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        CloseHandle(handle);
        m_error = "not a regular file";
        return OpenStatus::NotAFile;
    }
    m_handle = reinterpret_cast<std::intptr_t>(handle);
    return OpenStatus::Opened;
}

void ReadOnlyFile::close()
{
    if (m_handle != -1) {
        CloseHandle(handleOf(m_handle));
    }
    m_handle = -1;
}

std::int64_t ReadOnlyFile::size()
{
    LARGE_INTEGER size;
    if (m_handle == -1 || !GetFileSizeEx(handleOf(m_handle), &size)) {
        m_error = systemErrorText(m_handle == -1 ? ERROR_INVALID_HANDLE : GetLastError());
        return -1;
    }
    return static_cast<std::int64_t>(size.QuadPart);
}

std::int64_t ReadOnlyFile::read(char* buffer, std::int64_t maxSize)
{
    const DWORD count = static_cast<DWORD>(maxSize < 0x40000000 ? maxSize : 0x40000000);
    DWORD done = 0;
    if (!ReadFile(handleOf(m_handle), buffer, count, &done, nullptr)) {
        m_error = systemErrorText(GetLastError());
        return -1;
    }
    return static_cast<std::int64_t>(done);
}

} // namespace platform
