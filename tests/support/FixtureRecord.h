#pragma once

#include "RecordFormat.h"

#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

// The folder that holds the fixture modules of one set ("recording",
// "no_entry", "unresolved", "not_library"), ending in the platform's
// separator, as a program folder is written. On Windows the fixtures lie in
// "fixtures" beside the folder of the test program.
std::string fixtureDir(const std::string& set);

// Sets (or, with nullptr, removes) an environment variable that the fixture
// modules read: setenv on POSIX, the process's Win32 environment on Windows.
void setVariable(const char* name, const char* value);

// A record file for the fixture modules in a fresh temporary folder; the
// constructor points TRN_RECORD_FILE at it, the destructor removes the
// folder and unsets the variable.
class RecordFile
{
public:
    RecordFile();
    ~RecordFile();
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::vector<std::string> lines() const;
    // Lines starting with `prefix` ("load ", "call ", "unload ").
    std::vector<std::string> linesStartingWith(const std::string& prefix) const;

private:
    std::filesystem::path m_dir;
    std::filesystem::path m_path;
};

// A fresh temporary folder, removed with everything in it on destruction.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    // The path with a trailing separator ('/', '\\' on Windows), as a
    // program folder is written.
    std::string dirWithSlash() const;

private:
    std::filesystem::path m_path;
};

// The current directory, set for the lifetime of the object and put back
// afterwards.
class CurrentDirectory
{
public:
    explicit CurrentDirectory(const std::filesystem::path& path);
    ~CurrentDirectory();
    CurrentDirectory(const CurrentDirectory&) = delete;
    CurrentDirectory& operator=(const CurrentDirectory&) = delete;

private:
    std::filesystem::path m_previous;
};

// Value of field `key` ("name", "slot1", ...) in a recorded call line.
std::string recordField(const std::string& line, const std::string& key);

// For the programs this process starts from now on: AddressSanitizer, when
// the build has it, leaves fatal signals to the program, so that a crashing
// module ends it with its own signal rather than the sanitizer's report.
void leaveFatalSignalsToTheProgram();

} // namespace testsupport
