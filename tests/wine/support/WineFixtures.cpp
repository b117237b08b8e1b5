#include "WineFixtures.h"

#include "launcher/Paths.h"
#include "platform/Process.h"

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <windows.h>

namespace winetest {

namespace fs = std::filesystem;

namespace {

fs::path freshTempFolder(const char* prefix)
{
    static std::atomic<unsigned> counter{0};
    const fs::path base = fs::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate =
            base / (std::string(prefix) + std::to_string(GetCurrentProcessId()) + "-" +
                    std::to_string(counter++));
        if (CreateDirectoryA(candidate.string().c_str(), nullptr)) {
            return candidate;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

} // namespace

std::string fixtureDir(const std::string& set)
{
    const std::string programDir = launcher::programDirFromExecutable(platform::executablePath(),
                                                                      launcher::PathStyle::Windows);
    return programDir + "fixtures\\" + set + "\\";
}

void setVariable(const char* name, const char* value)
{
    SetEnvironmentVariableA(name, value);
}

RecordFile::RecordFile() : m_dir(freshTempFolder("derize-record-")), m_path(m_dir / "record.txt")
{
    setVariable("TRN_RECORD_FILE", m_path.string().c_str());
}

RecordFile::~RecordFile()
{
    setVariable("TRN_RECORD_FILE", nullptr);
    std::error_code ignored;
    fs::remove_all(m_dir, ignored);
}

std::vector<std::string> RecordFile::lines() const
{
    std::vector<std::string> result;
    std::ifstream in(m_path, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        result.push_back(line);
    }
    return result;
}

std::vector<std::string> RecordFile::linesStartingWith(const std::string& prefix) const
{
    std::vector<std::string> result;
    for (const std::string& line : lines()) {
        if (line.rfind(prefix, 0) == 0) {
            result.push_back(line);
        }
    }
    return result;
}

TempDir::TempDir() : m_path(freshTempFolder("derize-test-")) {}

TempDir::~TempDir()
{
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
}

std::string TempDir::path(bool withSeparator) const
{
    std::string text = m_path.string();
    for (char& c : text) {
        if (c == '/') {
            c = '\\';
        }
    }
    if (withSeparator && !text.empty() && text.back() != '\\') {
        text += '\\';
    }
    return text;
}

CurrentDirectory::CurrentDirectory(const std::string& path)
    : m_previous(platform::currentDirectory().value_or(""))
{
    if (!SetCurrentDirectoryA(path.c_str())) {
        throw std::runtime_error("cannot change the current directory to " + path);
    }
}

CurrentDirectory::~CurrentDirectory()
{
    SetCurrentDirectoryA(m_previous.c_str());
}

std::string recordField(const std::string& line, const std::string& key)
{
    const std::string marker = " " + key + "=";
    const std::size_t start = line.find(marker);
    if (start == std::string::npos) {
        return "<no field " + key + ">";
    }
    const std::size_t valueStart = start + marker.size();
    // in1 and in2 come last and may hold spaces.
    if (key == "in2") {
        return line.substr(valueStart);
    }
    if (key == "in1") {
        const std::size_t end = line.find(" in2=", valueStart);
        return line.substr(valueStart, end - valueStart);
    }
    const std::size_t end = line.find(' ', valueStart);
    return line.substr(valueStart, end == std::string::npos ? std::string::npos : end - valueStart);
}

std::string pointerText(const void* pointer)
{
    if (pointer == nullptr) {
        return "(nil)";
    }
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "0x%lx",
                  static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(pointer)));
    return buffer;
}

std::string hexOf(const std::string& text)
{
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char c : text) {
        hex += digits[c >> 4];
        hex += digits[c & 0x0f];
    }
    return hex;
}

} // namespace winetest
