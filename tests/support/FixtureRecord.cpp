#include "FixtureRecord.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace testsupport {

namespace fs = std::filesystem;

std::string fixtureDir(const std::string& set)
{
    return std::string(DERIZE_FIXTURE_ROOT) + "/" + set + "/";
}

TempDir::TempDir()
{
    std::string pattern = (fs::temp_directory_path() / "derize-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    m_path = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(m_path, ignored);
}

RecordFile::RecordFile()
{
    std::string pattern = (fs::temp_directory_path() / "derize-record-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    m_dir = pattern;
    m_path = m_dir / "record.txt";
    setenv("TRN_RECORD_FILE", m_path.c_str(), 1);
}

RecordFile::~RecordFile()
{
    unsetenv("TRN_RECORD_FILE");
    std::error_code ignored;
    fs::remove_all(m_dir, ignored);
}

std::vector<std::string> RecordFile::lines() const
{
    std::vector<std::string> result;
    std::ifstream in(m_path);
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

} // namespace testsupport
