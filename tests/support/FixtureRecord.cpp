#include "FixtureRecord.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#endif

namespace testsupport {

namespace fs = std::filesystem;

namespace {

fs::path freshTempFolder(const char* prefix)
{
    static std::atomic<unsigned> counter{0};
    // Test programs run side by side, so the name mixes in more than a counter.
    std::mt19937 random(
        std::random_device{}() ^
        static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()));
    const fs::path base = fs::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        char name[16];
        std::snprintf(name, sizeof name, "%08x%u", static_cast<unsigned>(random()),
                      counter++ % 100);
        fs::path candidate = base / (std::string(prefix) + name);
        std::error_code error;
        if (fs::create_directory(candidate, error)) {
            return candidate.make_preferred();
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

} // namespace

std::string fixtureDir(const std::string& set)
{
#ifdef _WIN32
    char program[MAX_PATH * 2];
    const DWORD length = GetModuleFileNameA(nullptr, program, sizeof program);
    if (length == 0 || length >= sizeof program) {
        throw std::runtime_error("cannot find the test program's own path");
    }
    fs::path dir = fs::path(program).parent_path().parent_path() / "fixtures" / set;
    return dir.make_preferred().string() + '\\';
#else
    return std::string(DERIZE_FIXTURE_ROOT) + "/" + set + "/";
#endif
}

void setVariable(const char* name, const char* value)
{
#ifdef _WIN32
    SetEnvironmentVariableA(name, value);
#else
    if (value != nullptr) {
        setenv(name, value, 1);
    } else {
        unsetenv(name);
    }
#endif
}

TempDir::TempDir() : m_path(freshTempFolder("derize-test-")) {}

TempDir::~TempDir()
{
    std::error_code ignored;
    fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(m_path, ignored);
}

std::string TempDir::dirWithSlash() const
{
    fs::path dir = m_path;
    return dir.make_preferred().string() + static_cast<char>(fs::path::preferred_separator);
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

CurrentDirectory::CurrentDirectory(const fs::path& path) : m_previous(fs::current_path())
{
    fs::current_path(path);
}

CurrentDirectory::~CurrentDirectory()
{
    std::error_code ignored;
    fs::current_path(m_previous, ignored);
}

std::string recordField(const std::string& line, const std::string& key)
{
    const std::string marker = " " + key + "=";
    const std::size_t start = line.find(marker);
    if (start == std::string::npos) {
        return "<no field " + key + ">";
    }
    const std::size_t valueStart = start + marker.size();
    // in1/in2 are the last fields and may hold spaces.
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

void leaveFatalSignalsToTheProgram()
{
    const char* current = std::getenv("ASAN_OPTIONS");
    std::string options = current != nullptr ? current : "";
    options += std::string(options.empty() ? "" : ":") +
               "handle_segv=0:handle_sigbus=0:handle_sigfpe=0:handle_sigill=0:handle_abort=0";
    setVariable("ASAN_OPTIONS", options.c_str());
}

} // namespace testsupport
