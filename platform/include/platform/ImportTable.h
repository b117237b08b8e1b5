#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The libraries a Windows module imports, read from the import table of
// its file, and the search for the first of them the system's loader would
// not find. Plain functions on bytes and names, on every platform: the
// Win32 layer (loadObstacle() in Library.h) gives them the files and the
// folders; tests give them images of their own.

struct PeImports
{
    enum class Status
    {
        Read,       // the whole import table (maybe empty)
        NotAnImage, // no PE image: no "MZ" header, or no "PE" signature where it points
        Damaged,    // a PE image whose headers or import table lie outside the file or
                    // break its rules; `libraries` holds those read before the fault
    };
    Status status = Status::NotAnImage;
    std::uint16_t machine = 0; // the COFF header's machine: 0x14C for i386
    // The import table's library names in table order, each once (names
    // compared without ASCII case, as the loader compares them).
    std::vector<std::string> libraries;
    std::string problem; // why the status is not Read
};

// The COFF machine of the images this program loads: its own.
inline constexpr std::uint16_t MachineI386 = 0x14C;
inline constexpr std::uint16_t MachineAmd64 = 0x8664;
#if defined(_WIN64) || defined(__x86_64__)
inline constexpr std::uint16_t NativeMachine = MachineAmd64;
#else
inline constexpr std::uint16_t NativeMachine = MachineI386;
#endif

// The longest library name read; a longer one is damage.
inline constexpr std::size_t MaxImportNameLength = 255;
// The most import descriptors read; a table that does not end before is
// damage.
inline constexpr std::size_t MaxImportDescriptors = 4096;

// Reads the import table of the PE file `file` (its bytes as they lie on
// disk; PE32 and PE32+). Only the headers, the section table, the import
// descriptors and the names they point at are read; every offset is checked
// against the file before it is used, so a truncated or hostile file gives
// NotAnImage or Damaged, never a read outside `file`.
PeImports readPeImports(std::string_view file);

// How the loader looks for the libraries a module imports.
enum class DllSearch
{
    // A module loaded by its full path: the program's folder, the system
    // folder, the 16-bit system folder, the Windows folder, the current
    // folder, then each folder of PATH.
    Standard,
    // A module loaded by a bare name with LOAD_LIBRARY_SEARCH_DEFAULT_DIRS:
    // the program's folder and the system folder, for the module and its
    // imports alike.
    DefaultFolders,
};

struct DllSearchPlaces
{
    std::string programDir; // the folder of the running program
    std::string systemDir;  // GetSystemDirectory
    std::string windowsDir; // GetWindowsDirectory
    std::string currentDir;
    std::string path; // the PATH variable: folders separated by ';'
};

// The folders searched, in order, each ending in a backslash; empty ones
// and repeats (without ASCII case) left out, quotes around a PATH entry
// removed.
std::vector<std::string> dllSearchFolders(DllSearch search, const DllSearchPlaces& places);

// Names the system resolves without a file of that name (API sets such as
// api-ms-win-crt-runtime-l1-1-0.dll): never followed, never missing.
bool isApiSetName(std::string_view libraryName);

struct ImportSearch
{
    // The bytes of the file at `path`; nullopt when it cannot be read.
    std::function<std::optional<std::string>(const std::string& path)> readFile;
    // Where the loader finds the library `name`: its file, the empty text
    // when the process has it loaded already (nothing to follow), nullopt
    // when it is not found.
    std::function<std::optional<std::string>(const std::string& name)> locate;
    // The machine of the process the loader loads into (NativeMachine): a
    // module or library built for another is refused. 0 takes any.
    std::uint16_t machine = 0;
};

// The most files followed in one search.
inline constexpr std::size_t MaxImportFilesFollowed = 256;

// True when `imports` is an image read whole whose machine is known and is
// not `machine` (0 takes any): the loader refuses it. A file cut short or
// damaged is left to the loader's own reason.
bool isForOtherMachine(const PeImports& imports, std::uint16_t machine);

// What the files tell of why the loader refused a module.
struct LoadObstacle
{
    // The library it cannot use: "vclx.dll", or "vclx.dll (imported by
    // rtl60.bpl)" when another library imports it; empty when the module
    // itself is built for another machine.
    std::string library;
    // The machine the module or `library` is built for instead of
    // ImportSearch::machine; 0 when `library` is nowhere the loader looks.
    std::uint16_t machine = 0;

    bool operator==(const LoadObstacle&) const = default;
};

// The module at `modulePath` built for another machine, or else the first
// library, following its imports depth first in table order, each library
// once, that `search.locate` does not find or whose file is an image for
// another machine than `search.machine`. Nullopt when every import is found
// and fits, or when the module or a library cannot be read or is no image
// (nothing can be said then).
std::optional<LoadObstacle> findLoadObstacle(const std::string& modulePath,
                                             const ImportSearch& search);

} // namespace platform
