// Any bytes as a Windows module file: reading its import table must stay
// inside the bytes (AddressSanitizer sees the input as a block of exactly
// its size), give names that are file names within the limits, and agree
// with itself; following the imports with the same bytes standing for
// every library must end.

#include "platform/ImportTable.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

using platform::PeImports;

namespace {

void require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "pe_imports_fuzzer: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    const PeImports imports = platform::readPeImports(file);
    require(imports.status == PeImports::Status::Read || !imports.problem.empty(),
            "a table not read gives no reason");
    require(imports.status != PeImports::Status::NotAnImage || imports.libraries.empty(),
            "no image, yet libraries");
    require(imports.libraries.size() <= platform::MaxImportDescriptors, "too many libraries");
    for (const std::string& library : imports.libraries) {
        require(!library.empty() && library.size() <= platform::MaxImportNameLength,
                "a name out of its limits");
        for (const char c : library) {
            require(static_cast<unsigned char>(c) >= 0x20 && c != 0x7f, "a control byte in a name");
        }
    }
    const PeImports again = platform::readPeImports(file);
    require(again.status == imports.status && again.libraries == imports.libraries,
            "two readings differ");

    // Every library is found, and is this very file; every second one is
    // loaded already, and the name "missing.dll" is nowhere.
    std::size_t asked = 0;
    platform::ImportSearch search;
    search.readFile = [file](const std::string&) { return std::optional<std::string>(file); };
    search.locate = [&asked](const std::string& name) -> std::optional<std::string> {
        ++asked;
        if (name == "missing.dll") {
            return std::nullopt;
        }
        return asked % 2 ? "C:\\" + name : std::string();
    };
    const auto obstacle = platform::findLoadObstacle("C:\\module.dll", search);
    require(!obstacle || (obstacle->machine == 0 &&
                          (obstacle->library == "missing.dll" ||
                           obstacle->library.starts_with("missing.dll (imported by "))),
            "a found library reported missing");
    require(asked <= imports.libraries.size(), "a library looked for twice");
    return 0;
}
