#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace winetest {

// The folder beside the test program that holds the fixture modules of one
// set ("recording", "no_entry", "unresolved", "not_library"), ending in a
// backslash, as the launcher's program folder is written.
std::string fixtureDir(const std::string& set);

// Sets (or, with nullptr, removes) a variable of the process's Win32
// environment, which the fixture modules read.
void setVariable(const char* name, const char* value);

// A record file for the fixture modules in a fresh temporary folder; the
// constructor points TRN_RECORD_FILE at it, the destructor removes the
// folder and the variable.
class RecordFile
{
public:
    RecordFile();
    ~RecordFile();
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    std::vector<std::string> lines() const;
    // Lines starting with `prefix` ("attach ", "call ", "detach ").
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

    // The Windows path, ending in a backslash when `withSeparator`.
    std::string path(bool withSeparator = false) const;

private:
    std::filesystem::path m_path;
};

// The current directory, set for the lifetime of the object and put back
// afterwards.
class CurrentDirectory
{
public:
    explicit CurrentDirectory(const std::string& path);
    ~CurrentDirectory();
    CurrentDirectory(const CurrentDirectory&) = delete;
    CurrentDirectory& operator=(const CurrentDirectory&) = delete;

private:
    std::string m_previous;
};

// Value of field `key` ("name", "slot1", ...) in a recorded call line.
std::string recordField(const std::string& line, const std::string& key);

// Text of an address as the fixtures record it: 0x..., or (nil).
std::string pointerText(const void* pointer);

// The bytes of `text` as lower-case hex, as the fixtures record names.
std::string hexOf(const std::string& text);

} // namespace winetest
