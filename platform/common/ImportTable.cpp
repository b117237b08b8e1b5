#include "platform/ImportTable.h"

#include "platform/AsciiCase.h"

#include <algorithm>
#include <unordered_set>

namespace platform {

namespace {

// Offsets into the file are 64-bit, so that no sum of 32-bit fields from
// the file can wrap around.
using Offset = std::uint64_t;

constexpr Offset DosHeaderSize = 0x40;
constexpr Offset NewHeaderPointer = 0x3c;
constexpr Offset CoffHeaderSize = 20;
constexpr Offset SectionHeaderSize = 40;
constexpr Offset ImportDescriptorSize = 20;
constexpr std::uint16_t Pe32Magic = 0x10b;
constexpr std::uint16_t Pe32PlusMagic = 0x20b;

class Image
{
public:
    explicit Image(std::string_view file) : m_file(file) {}

    Offset size() const { return m_file.size(); }

    bool has(Offset offset, Offset length) const
    {
        return offset <= size() && length <= size() - offset;
    }

    // Little-endian fields; the caller has checked has(offset, width).
    std::uint16_t u16(Offset offset) const
    {
        return static_cast<std::uint16_t>(byte(offset) | byte(offset + 1) << 8);
    }
    std::uint32_t u32(Offset offset) const
    {
        return static_cast<std::uint32_t>(u16(offset)) | static_cast<std::uint32_t>(u16(offset + 2))
                                                             << 16;
    }

    std::string_view bytes(Offset offset, Offset length) const
    {
        return m_file.substr(static_cast<std::size_t>(offset), static_cast<std::size_t>(length));
    }

private:
    unsigned byte(Offset offset) const
    {
        return static_cast<unsigned char>(m_file[static_cast<std::size_t>(offset)]);
    }

    std::string_view m_file;
};

struct Section
{
    Offset virtualAddress;
    Offset virtualSize;
    Offset rawSize;
    Offset rawPointer;
};

// Where the bytes of an address of the loaded image lie in the file, and
// how many of them follow there.
struct FileSpan
{
    Offset offset;
    Offset length;
};

class AddressMap
{
public:
    AddressMap(const Image& image, std::vector<Section> sections, Offset headersSize)
        : m_image(image), m_sections(std::move(sections)), m_headersSize(headersSize)
    {
    }

    // The file bytes at the image address `rva`, up to the end of the
    // section (or of the headers) they belong to and of the file; nullopt
    // for an address with no bytes in the file.
    std::optional<FileSpan> at(Offset rva) const
    {
        for (const Section& section : m_sections) {
            const Offset extent = std::max(section.virtualSize, section.rawSize);
            if (rva < section.virtualAddress || rva - section.virtualAddress >= extent) {
                continue;
            }
            const Offset inSection = rva - section.virtualAddress;
            // Beyond the raw data the loader fills the section with zeros.
            if (inSection >= section.rawSize) {
                return std::nullopt;
            }
            return clipped(section.rawPointer + inSection, section.rawSize - inSection);
        }
        // The headers are mapped as they lie at the start of the file.
        if (rva < m_headersSize) {
            return clipped(rva, m_headersSize - rva);
        }
        return std::nullopt;
    }

private:
    std::optional<FileSpan> clipped(Offset offset, Offset length) const
    {
        if (offset >= m_image.size()) {
            return std::nullopt;
        }
        return FileSpan{offset, std::min(length, m_image.size() - offset)};
    }

    const Image& m_image;
    std::vector<Section> m_sections;
    Offset m_headersSize;
};

PeImports damaged(PeImports imports, std::string problem)
{
    imports.status = PeImports::Status::Damaged;
    imports.problem = std::move(problem);
    return imports;
}

bool isNameByte(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x20 && byte != 0x7f;
}

} // namespace

PeImports readPeImports(std::string_view file)
{
    const Image image(file);
    PeImports imports;
    if (!image.has(0, DosHeaderSize) || image.bytes(0, 2) != "MZ") {
        imports.problem = "no MZ header";
        return imports;
    }
    const Offset peHeader = image.u32(NewHeaderPointer);
    if (!image.has(peHeader, 4 + CoffHeaderSize) ||
        image.bytes(peHeader, 4) != std::string_view("PE\0\0", 4)) {
        imports.problem = "no PE signature";
        return imports;
    }
    const Offset coff = peHeader + 4;
    imports.machine = image.u16(coff);
    const Offset sectionCount = image.u16(coff + 2);
    const Offset optionalSize = image.u16(coff + 16);
    const Offset optional = coff + CoffHeaderSize;

    if (optionalSize < 2 || !image.has(optional, optionalSize)) {
        return damaged(imports, "optional header cut short");
    }
    const std::uint16_t magic = image.u16(optional);
    if (magic != Pe32Magic && magic != Pe32PlusMagic) {
        return damaged(imports, "unknown optional header");
    }
    const Offset directoryCountField = magic == Pe32Magic ? 92 : 108;
    const Offset directories = directoryCountField + 4;
    if (optionalSize < directories) {
        return damaged(imports, "optional header cut short");
    }
    const Offset headersSize = image.u32(optional + 60);
    const Offset directoryCount = image.u32(optional + directoryCountField);
    // The import table is data directory 1.
    const Offset importDirectory = directories + 8;
    const bool hasImportDirectory = directoryCount >= 2 && optionalSize >= importDirectory + 8;
    const Offset importTable = hasImportDirectory ? image.u32(optional + importDirectory) : 0;
    if (importTable == 0) {
        imports.status = PeImports::Status::Read;
        return imports;
    }

    const Offset sectionTable = optional + optionalSize;
    if (!image.has(sectionTable, sectionCount * SectionHeaderSize)) {
        return damaged(imports, "section table cut short");
    }
    std::vector<Section> sections;
    sections.reserve(static_cast<std::size_t>(sectionCount));
    for (Offset i = 0; i < sectionCount; ++i) {
        const Offset header = sectionTable + i * SectionHeaderSize;
        sections.push_back({image.u32(header + 12), image.u32(header + 8), image.u32(header + 16),
                            image.u32(header + 20)});
    }
    const AddressMap map(image, std::move(sections), headersSize);

    std::unordered_set<std::string> seen;
    for (Offset index = 0;; ++index) {
        if (index == MaxImportDescriptors) {
            return damaged(imports, "import table does not end");
        }
        const auto descriptor = map.at(importTable + index * ImportDescriptorSize);
        if (!descriptor || descriptor->length < ImportDescriptorSize) {
            return damaged(imports, "import table lies outside the file");
        }
        const Offset nameAddress = image.u32(descriptor->offset + 12);
        const Offset firstThunk = image.u32(descriptor->offset + 16);
        // The loader stops at the first descriptor without a name or
        // without an address table.
        if (nameAddress == 0 || firstThunk == 0) {
            break;
        }
        const auto name = map.at(nameAddress);
        if (!name) {
            return damaged(imports, "an imported library's name lies outside the file");
        }
        const std::string_view text =
            image.bytes(name->offset, std::min<Offset>(name->length, MaxImportNameLength + 1));
        const std::size_t end = text.find('\0');
        if (end == std::string_view::npos) {
            return damaged(imports, "an imported library's name does not end");
        }
        const std::string_view library = text.substr(0, end);
        if (library.empty() || !std::all_of(library.begin(), library.end(), isNameByte)) {
            return damaged(imports, "an imported library's name is not a file name");
        }
        if (seen.insert(asciiUpper(library)).second) {
            imports.libraries.emplace_back(library);
        }
    }
    imports.status = PeImports::Status::Read;
    return imports;
}

std::vector<std::string> dllSearchFolders(DllSearch search, const DllSearchPlaces& places)
{
    std::vector<std::string> folders;
    const auto withSeparator = [](std::string_view folder) {
        std::string path(folder);
        if (path.back() != '\\' && path.back() != '/') {
            path += '\\';
        }
        return path;
    };
    const auto add = [&](std::string_view folder) {
        if (folder.size() >= 2 && folder.front() == '"' && folder.back() == '"') {
            folder = folder.substr(1, folder.size() - 2);
        }
        if (folder.empty()) {
            return;
        }
        std::string path = withSeparator(folder);
        if (std::none_of(folders.begin(), folders.end(), [&path](const std::string& known) {
                return equalIgnoringAsciiCase(known, path);
            })) {
            folders.push_back(std::move(path));
        }
    };
    add(places.programDir);
    add(places.systemDir);
    if (search == DllSearch::DefaultFolders) {
        return folders;
    }
    if (!places.windowsDir.empty()) {
        add(withSeparator(places.windowsDir) + "System");
    }
    add(places.windowsDir);
    add(places.currentDir);
    std::string_view path = places.path;
    while (!path.empty()) {
        const std::size_t end = std::min(path.find(';'), path.size());
        add(path.substr(0, end));
        path.remove_prefix(std::min(end + 1, path.size()));
    }
    return folders;
}

bool isApiSetName(std::string_view libraryName)
{
    const std::string upper = asciiUpper(libraryName);
    return upper.starts_with("API-MS-WIN-") || upper.starts_with("EXT-MS-");
}

namespace {

std::string_view fileNameOf(std::string_view path)
{
    const std::size_t slash = path.find_last_of("\\/:");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

class ImportWalk
{
public:
    explicit ImportWalk(const ImportSearch& search) : m_search(search) {}

    // The imports of the file at `path`; nullopt when it cannot be read or
    // the walk has read enough files.
    std::optional<PeImports> read(const std::string& path)
    {
        if (++m_filesFollowed > MaxImportFilesFollowed) {
            return std::nullopt;
        }
        const std::optional<std::string> bytes = m_search.readFile(path);
        if (!bytes) {
            return std::nullopt;
        }
        return readPeImports(*bytes);
    }

    // `imports` are those of the library `importer` (empty: the module).
    std::optional<LoadObstacle> follow(const PeImports& imports, std::string_view importer)
    {
        // A damaged table still names the libraries before the damage.
        for (const std::string& library : imports.libraries) {
            if (isApiSetName(library) || !m_seen.insert(asciiUpper(library)).second) {
                continue;
            }
            const std::optional<std::string> found = m_search.locate(library);
            if (!found) {
                return LoadObstacle{named(library, importer)};
            }
            if (found->empty()) {
                continue;
            }
            const std::optional<PeImports> next = read(*found);
            if (!next) {
                continue;
            }
            if (isForOtherMachine(*next, m_search.machine)) {
                return LoadObstacle{named(library, importer), next->machine};
            }
            if (auto missing = follow(*next, fileNameOf(*found))) {
                return missing;
            }
        }
        return std::nullopt;
    }

private:
    // The library as a line names it: "vclx.dll", or "vclx.dll (imported
    // by rtl60.bpl)" when another library imports it.
    static std::string named(const std::string& library, std::string_view importer)
    {
        return importer.empty() ? library
                                : library + " (imported by " + std::string(importer) + ")";
    }

    const ImportSearch& m_search;
    std::unordered_set<std::string> m_seen;
    std::size_t m_filesFollowed = 0;
};

} // namespace

bool isForOtherMachine(const PeImports& imports, std::uint16_t machine)
{
    return machine != 0 && imports.status == PeImports::Status::Read && imports.machine != 0 &&
           imports.machine != machine;
}

std::optional<LoadObstacle> findLoadObstacle(const std::string& modulePath,
                                             const ImportSearch& search)
{
    if (!search.readFile || !search.locate) {
        return std::nullopt;
    }
    ImportWalk walk(search);
    const std::optional<PeImports> module = walk.read(modulePath);
    if (!module) {
        return std::nullopt;
    }
    if (isForOtherMachine(*module, search.machine)) {
        return LoadObstacle{{}, module->machine};
    }
    return walk.follow(*module, {});
}

} // namespace platform
