// The import table of Windows modules, read from images made here byte by
// byte: good ones, cut ones and hostile ones. Each image lies in a buffer of
// exactly its own size, so that a read past its end is a sanitizer's report.
#include "platform/ImportTable.h"

#include "launcher/ModuleFailures.h"

#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

using platform::PeImports;

namespace {

void putU16(std::string& image, std::size_t offset, std::uint32_t value)
{
    image[offset] = static_cast<char>(value & 0xff);
    image[offset + 1] = static_cast<char>((value >> 8) & 0xff);
}

void putU32(std::string& image, std::size_t offset, std::uint32_t value)
{
    putU16(image, offset, value & 0xffff);
    putU16(image, offset + 2, value >> 16);
}

// A DLL with one section, .idata, at address 0x1000 and file offset 0x200,
// holding the import descriptors and after them the names.
struct ImageLayout
{
    bool pe32Plus = false;

    static constexpr std::size_t PeHeader = 0x40;
    static constexpr std::size_t Optional = PeHeader + 24;
    static constexpr std::size_t RawData = 0x200;
    static constexpr std::uint32_t SectionAddress = 0x1000;

    std::size_t optionalSize() const { return pe32Plus ? 240 : 224; }
    std::size_t directories() const { return Optional + (pe32Plus ? 112 : 96); }
    std::size_t importDirectory() const { return directories() + 8; }
    std::size_t sectionTable() const { return Optional + optionalSize(); }
    // Fields of the one section header.
    std::size_t virtualSize() const { return sectionTable() + 8; }
    std::size_t virtualAddress() const { return sectionTable() + 12; }
    std::size_t rawSize() const { return sectionTable() + 16; }
    std::size_t rawPointer() const { return sectionTable() + 20; }
    static std::size_t descriptor(std::size_t index) { return RawData + index * 20; }
};

std::string peImage(const std::vector<std::string>& imports, const ImageLayout& layout = {})
{
    const std::size_t names = ImageLayout::descriptor(imports.size() + 1);
    std::string data(names - ImageLayout::RawData, '\0');
    std::string image(ImageLayout::RawData, '\0');
    image[0] = 'M';
    image[1] = 'Z';
    putU32(image, 0x3c, ImageLayout::PeHeader);
    image.replace(ImageLayout::PeHeader, 4, std::string("PE\0\0", 4));
    putU16(image, ImageLayout::PeHeader + 4, layout.pe32Plus ? 0x8664 : 0x14c);
    putU16(image, ImageLayout::PeHeader + 6, 1);
    putU16(image, ImageLayout::PeHeader + 20, static_cast<std::uint32_t>(layout.optionalSize()));
    putU16(image, ImageLayout::PeHeader + 22, 0x2102);
    putU16(image, ImageLayout::Optional, layout.pe32Plus ? 0x20b : 0x10b);
    putU32(image, ImageLayout::Optional + 60, ImageLayout::RawData);
    putU32(image, layout.directories() - 4, 16);
    putU32(image, layout.importDirectory(), ImageLayout::SectionAddress);
    putU32(image, layout.importDirectory() + 4,
           static_cast<std::uint32_t>((imports.size() + 1) * 20));
    image.replace(layout.sectionTable(), 6, ".idata");

    image += data;
    for (std::size_t i = 0; i < imports.size(); ++i) {
        const auto nameAddress = static_cast<std::uint32_t>(ImageLayout::SectionAddress +
                                                            image.size() - ImageLayout::RawData);
        putU32(image, ImageLayout::descriptor(i) + 12, nameAddress);
        putU32(image, ImageLayout::descriptor(i) + 16, ImageLayout::SectionAddress);
        image += imports[i];
        image += '\0';
    }
    const auto rawSize = static_cast<std::uint32_t>(image.size() - ImageLayout::RawData);
    putU32(image, layout.virtualSize(), rawSize);
    putU32(image, layout.virtualAddress(), ImageLayout::SectionAddress);
    putU32(image, layout.rawSize(), rawSize);
    putU32(image, layout.rawPointer(), ImageLayout::RawData);
    return image;
}

// Reads `image` from a heap block of exactly its size.
PeImports readExactly(const std::string& image)
{
    const std::vector<char> block(image.begin(), image.end());
    return platform::readPeImports(std::string_view(block.data(), block.size()));
}

const std::vector<std::string> Imports = {"KERNEL32.dll", "msvcrt.dll", "vclx.dll"};

} // namespace

TEST(PeImports, ReadsTheLibrariesOfA32And64BitImageInTableOrderEachOnce)
{
    for (const bool pe32Plus : {false, true}) {
        SCOPED_TRACE(pe32Plus ? "PE32+" : "PE32");
        const PeImports imports = readExactly(peImage(Imports, {pe32Plus}));
        EXPECT_EQ(imports.status, PeImports::Status::Read) << imports.problem;
        EXPECT_EQ(imports.machine, pe32Plus ? 0x8664 : 0x14c);
        EXPECT_EQ(imports.libraries, Imports);
    }
    // The loader compares names without case: a library is loaded once.
    const PeImports twice = readExactly(peImage({"vclx.dll", "KERNEL32.dll", "VCLX.DLL"}));
    EXPECT_EQ(twice.libraries, (std::vector<std::string>{"vclx.dll", "KERNEL32.dll"}));
}

TEST(PeImports, ATableEndsAtTheFirstDescriptorWithoutANameOrAnAddressTable)
{
    std::string image = peImage(Imports);
    putU32(image, ImageLayout::descriptor(1) + 16, 0);
    EXPECT_EQ(readExactly(image).libraries, std::vector<std::string>{"KERNEL32.dll"});
    EXPECT_EQ(readExactly(image).status, PeImports::Status::Read);

    // No import directory, or too few directories to hold one: no imports.
    const ImageLayout layout;
    std::string none = peImage(Imports);
    putU32(none, layout.importDirectory(), 0);
    std::string fewDirectories = peImage(Imports);
    putU32(fewDirectories, layout.directories() - 4, 1);
    for (const std::string& empty : {none, fewDirectories}) {
        const PeImports imports = readExactly(empty);
        EXPECT_EQ(imports.status, PeImports::Status::Read);
        EXPECT_TRUE(imports.libraries.empty());
    }
}

TEST(PeImports, AnImportTableInTheHeadersIsReadFromTheStartOfTheFile)
{
    // Some linkers put small tables into the headers' slack.
    std::string image = peImage({"vclx.dll"});
    const ImageLayout layout;
    const std::size_t table = 0x180;
    image.replace(table, 40, std::string(40, '\0'));
    putU32(image, table + 12, 0x1c0);
    putU32(image, table + 16, 0x1000);
    image.replace(0x1c0, 10, std::string("rtl60.bpl\0", 10));
    putU32(image, layout.importDirectory(), table);
    const PeImports imports = readExactly(image);
    EXPECT_EQ(imports.status, PeImports::Status::Read) << imports.problem;
    EXPECT_EQ(imports.libraries, std::vector<std::string>{"rtl60.bpl"});
}

TEST(PeImports, FilesThatAreNoImageAreToldSo)
{
    std::string wrongSignature = peImage(Imports);
    wrongSignature[ImageLayout::PeHeader + 1] = 'X';
    std::string pointerPastTheEnd = peImage(Imports);
    putU32(pointerPastTheEnd, 0x3c, 0xfffffff0);
    const std::string cases[] = {
        "",
        "This is a text file, not a module library.\n",
        "MZ",
        std::string("\x7f"
                    "ELF\x01\x01\x01",
                    7) +
            std::string(200, '\0'),
        wrongSignature,
        pointerPastTheEnd,
    };
    for (const std::string& file : cases) {
        const PeImports imports = readExactly(file);
        EXPECT_EQ(imports.status, PeImports::Status::NotAnImage) << file.size() << " bytes";
        EXPECT_TRUE(imports.libraries.empty());
        EXPECT_FALSE(imports.problem.empty());
    }
}

TEST(PeImports, AnImageCutAnywhereGivesNoMoreThanTheLibrariesBeforeTheCut)
{
    for (const bool pe32Plus : {false, true}) {
        const std::string image = peImage(Imports, {pe32Plus});
        for (std::size_t length = 0; length < image.size(); ++length) {
            SCOPED_TRACE(length);
            const PeImports imports = readExactly(image.substr(0, length));
            EXPECT_NE(imports.status, PeImports::Status::Read);
            ASSERT_LE(imports.libraries.size(), Imports.size());
            EXPECT_TRUE(
                std::equal(imports.libraries.begin(), imports.libraries.end(), Imports.begin()));
        }
    }
}

TEST(PeImports, HostileFieldsAreDamageAndNeverAReadOutsideTheFile)
{
    const ImageLayout layout;
    struct Case
    {
        const char* what;
        std::function<void(std::string&)> spoil;
        std::size_t librariesLeft;
    };
    const Case cases[] = {
        {"65535 sections",
         [](std::string& image) { putU16(image, ImageLayout::PeHeader + 6, 0xffff); }, 0},
        {"an optional header past the end",
         [](std::string& image) { putU16(image, ImageLayout::PeHeader + 20, 0xffff); }, 0},
        {"an optional header too short for its directories",
         [](std::string& image) { putU16(image, ImageLayout::PeHeader + 20, 64); }, 0},
        {"an unknown optional header",
         [](std::string& image) { putU16(image, ImageLayout::Optional, 0x107); }, 0},
        {"an import table at no address of the image",
         [&](std::string& image) { putU32(image, layout.importDirectory(), 0x7fff0000); }, 0},
        {"raw data far past the end",
         [&](std::string& image) { putU32(image, layout.rawPointer(), 0xfffff000); }, 0},
        {"an import table in the zeros after the raw data",
         [&](std::string& image) {
             putU32(image, layout.virtualSize(), 0x10000);
             putU32(image, layout.importDirectory(), 0x8000);
         },
         0},
        {"a section at the top of the address space",
         [&](std::string& image) {
             putU32(image, layout.virtualAddress(), 0xffffff00);
             putU32(image, layout.virtualSize(), 0xffffffff);
         },
         0},
        {"raw data said to be 4 GiB long, and no end of the table",
         [&](std::string& image) {
             putU32(image, layout.rawSize(), 0xffffffff);
             putU32(image, ImageLayout::descriptor(3) + 12, ImageLayout::SectionAddress + 0x50);
             putU32(image, ImageLayout::descriptor(3) + 16, ImageLayout::SectionAddress);
         },
         3},
        {"a name pointing at the last byte",
         [&](std::string& image) {
             image.back() = 'x';
             putU32(image, ImageLayout::descriptor(1) + 12,
                    static_cast<std::uint32_t>(ImageLayout::SectionAddress + image.size() - 1 -
                                               ImageLayout::RawData));
         },
         1},
        {"a name holding a line break", [&](std::string& image) { image[image.size() - 3] = '\n'; },
         2},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        std::string image = peImage(Imports);
        test.spoil(image);
        const PeImports imports = readExactly(image);
        EXPECT_EQ(imports.status, PeImports::Status::Damaged);
        EXPECT_FALSE(imports.problem.empty());
        EXPECT_EQ(imports.libraries,
                  std::vector<std::string>(Imports.begin(),
                                           Imports.begin() +
                                               static_cast<std::ptrdiff_t>(test.librariesLeft)));
    }
}

TEST(PeImports, OverlongNamesAndEndlessTablesStopAtTheirLimits)
{
    const std::string longest(platform::MaxImportNameLength, 'a');
    EXPECT_EQ(readExactly(peImage({longest})).libraries, std::vector<std::string>{longest});
    EXPECT_EQ(readExactly(peImage({longest + "a"})).status, PeImports::Status::Damaged);

    // More descriptors than any module has, all naming one library.
    const std::vector<std::string> many(platform::MaxImportDescriptors + 1, "vclx.dll");
    const PeImports endless = readExactly(peImage(many));
    EXPECT_EQ(endless.status, PeImports::Status::Damaged);
    EXPECT_EQ(endless.libraries, std::vector<std::string>{"vclx.dll"});
}

TEST(DllSearchFolders, TheStandardSearchAndTheDefaultFoldersInTheLoadersOrder)
{
    platform::DllSearchPlaces places;
    places.programDir = "C:\\Program Files\\DERIZE-Zizir\\";
    places.systemDir = "C:\\windows\\system32";
    places.windowsDir = "C:\\windows";
    places.currentDir = "D:\\data";
    places.path = "C:\\tools;;\"C:\\quoted dir\";c:\\WINDOWS\\system32\\;C:\\last";

    EXPECT_EQ(
        platform::dllSearchFolders(platform::DllSearch::Standard, places),
        (std::vector<std::string>{"C:\\Program Files\\DERIZE-Zizir\\", "C:\\windows\\system32\\",
                                  "C:\\windows\\System\\", "C:\\windows\\", "D:\\data\\",
                                  "C:\\tools\\", "C:\\quoted dir\\", "C:\\last\\"}));
    EXPECT_EQ(
        platform::dllSearchFolders(platform::DllSearch::DefaultFolders, places),
        (std::vector<std::string>{"C:\\Program Files\\DERIZE-Zizir\\", "C:\\windows\\system32\\"}));
    EXPECT_TRUE(platform::dllSearchFolders(platform::DllSearch::Standard, {}).empty());
}

namespace {

// Library files by path, and where the loader would find each name.
class FakeSystem
{
public:
    void file(const std::string& path, const std::vector<std::string>& imports,
              const ImageLayout& layout = {})
    {
        m_files[path] = peImage(imports, layout);
    }
    void rawFile(const std::string& path, std::string bytes) { m_files[path] = std::move(bytes); }
    void found(const std::string& name, const std::string& path) { m_places[name] = path; }
    void loaded(const std::string& name) { m_places[name] = ""; }

    platform::ImportSearch search(std::uint16_t machine = 0)
    {
        platform::ImportSearch search;
        search.machine = machine;
        search.readFile = [this](const std::string& path) -> std::optional<std::string> {
            ++reads;
            const auto file = m_files.find(path);
            return file == m_files.end() ? std::nullopt : std::optional(file->second);
        };
        search.locate = [this](const std::string& name) -> std::optional<std::string> {
            const auto place = m_places.find(name);
            return place == m_places.end() ? std::nullopt : std::optional(place->second);
        };
        return search;
    }

    int reads = 0;

private:
    std::map<std::string, std::string> m_files;
    std::map<std::string, std::string> m_places;
};

} // namespace

TEST(MissingImport, TheFirstLibraryNotFoundDepthFirstInTableOrderAndWhoImportsIt)
{
    FakeSystem system;
    system.loaded("KERNEL32.dll");
    system.found("rtl60.bpl", "C:\\app\\rtl60.bpl");
    system.found("vcl60.bpl", "C:\\app\\vcl60.bpl");
    system.file("C:\\app\\rtl60.bpl", {"KERNEL32.dll"});
    system.file("C:\\app\\vcl60.bpl", {"rtl60.bpl", "vclx.dll"});

    system.file("C:\\app\\direct.dll", {"KERNEL32.dll", "vclx.dll", "other.dll"});
    EXPECT_EQ(platform::findLoadObstacle("C:\\app\\direct.dll", system.search()),
              platform::LoadObstacle{"vclx.dll"});

    // vcl60.bpl is found, but not what it imports; other.dll, after it in
    // the module's own table, is not reached.
    system.file("C:\\app\\through.dll", {"rtl60.bpl", "vcl60.bpl", "other.dll"});
    EXPECT_EQ(platform::findLoadObstacle("C:\\app\\through.dll", system.search()),
              platform::LoadObstacle{"vclx.dll (imported by vcl60.bpl)"});
}

TEST(MissingImport, NothingWhenAllIsFoundOrNothingCanBeRead)
{
    FakeSystem system;
    system.loaded("KERNEL32.dll");
    // Two libraries that import each other, and an API set, which the
    // system resolves without a file.
    system.found("a.dll", "C:\\app\\a.dll");
    system.found("b.dll", "C:\\app\\b.dll");
    system.file("C:\\app\\a.dll", {"b.dll", "KERNEL32.dll"});
    system.file("C:\\app\\b.dll", {"a.dll", "api-ms-win-crt-runtime-l1-1-0.dll"});
    system.file("C:\\app\\module.dll", {"a.dll", "API-MS-WIN-CORE-SYNCH-L1-2-0.DLL"});
    EXPECT_FALSE(platform::findLoadObstacle("C:\\app\\module.dll", system.search()));

    // A module that is no image, or is not there: nothing can be said.
    system.rawFile("C:\\app\\text.dll", "This is a text file, not a module library.\n");
    EXPECT_FALSE(platform::findLoadObstacle("C:\\app\\text.dll", system.search()));
    EXPECT_FALSE(platform::findLoadObstacle("C:\\app\\absent.dll", system.search()));
    EXPECT_FALSE(platform::findLoadObstacle("C:\\app\\module.dll", platform::ImportSearch{}));
}

TEST(MissingImport, AChainOfLibrariesIsFollowedOnlySoFar)
{
    // Each library imports the next, and the last is missing: the walk
    // stops after its limit of files instead of following them all.
    FakeSystem system;
    const std::size_t length = platform::MaxImportFilesFollowed + 10;
    for (std::size_t i = 0; i < length; ++i) {
        const std::string name = "lib" + std::to_string(i) + ".dll";
        const std::string next = "lib" + std::to_string(i + 1) + ".dll";
        system.found(name, "C:\\app\\" + name);
        system.file("C:\\app\\" + name, {next});
    }
    system.file("C:\\app\\module.dll", {"lib0.dll"});
    EXPECT_FALSE(platform::findLoadObstacle("C:\\app\\module.dll", system.search()));
    EXPECT_EQ(system.reads, static_cast<int>(platform::MaxImportFilesFollowed));
}

TEST(LoadObstacle, AModuleOrALibraryOfAnotherMachineIsNamedWhereTheFirstOneLies)
{
    // Read by the 32-bit launcher's rules: PE32+ images are AMD64 ones.
    const ImageLayout amd64{true};
    FakeSystem system;
    system.loaded("KERNEL32.dll");
    system.found("rtl60.bpl", "C:\\app\\rtl60.bpl");
    system.found("wide.dll", "C:\\app\\wide.dll");
    system.file("C:\\app\\rtl60.bpl", {"KERNEL32.dll", "wide.dll"});
    system.file("C:\\app\\wide.dll", {"KERNEL32.dll"}, amd64);
    const auto obstacle = [&system](const std::string& module) {
        return platform::findLoadObstacle(module, system.search(platform::MachineI386));
    };

    system.file("C:\\app\\module64.dll", {"vclx.dll"}, amd64);
    EXPECT_EQ(obstacle("C:\\app\\module64.dll"), (platform::LoadObstacle{"", 0x8664}));
    system.file("C:\\app\\direct.dll", {"KERNEL32.dll", "wide.dll", "vclx.dll"});
    EXPECT_EQ(obstacle("C:\\app\\direct.dll"), (platform::LoadObstacle{"wide.dll", 0x8664}));
    system.file("C:\\app\\through.dll", {"rtl60.bpl", "vclx.dll"});
    EXPECT_EQ(obstacle("C:\\app\\through.dll"),
              (platform::LoadObstacle{"wide.dll (imported by rtl60.bpl)", 0x8664}));
    // A missing library before it is what the loader meets first.
    system.file("C:\\app\\missing.dll", {"vclx.dll", "wide.dll"});
    EXPECT_EQ(obstacle("C:\\app\\missing.dll"), (platform::LoadObstacle{"vclx.dll", 0}));
    // Without a machine to hold them to, images of any machine are followed.
    EXPECT_EQ(platform::findLoadObstacle("C:\\app\\through.dll", system.search()),
              (platform::LoadObstacle{"vclx.dll", 0}));

    // A 64-bit image cut short, or whose machine field is blank, tells
    // nothing of its machine: the loader's own reason stands.
    system.rawFile("C:\\app\\cut.dll", peImage({}, amd64).substr(0, 0x100));
    EXPECT_EQ(obstacle("C:\\app\\cut.dll"), std::nullopt);
    std::string blank = peImage({}, amd64);
    putU16(blank, ImageLayout::PeHeader + 4, 0);
    system.rawFile("C:\\app\\blank.dll", blank);
    EXPECT_EQ(obstacle("C:\\app\\blank.dll"), std::nullopt);
}

TEST(LoadObstacle, TheLineNamesTheBitnessAndTheLauncherThatRunsIt)
{
    EXPECT_EQ(launcher::otherMachineMessage("C:\\m\\trn_worm.dll", "", platform::MachineAmd64,
                                            platform::MachineI386),
              "module C:\\m\\trn_worm.dll is a 64-bit module; this launcher runs 32-bit modules "
              "(use the 64-bit launcher in the x64 folder)");
    EXPECT_EQ(launcher::otherMachineMessage("C:\\m\\trn_worm.dll", "", platform::MachineI386,
                                            platform::MachineAmd64),
              "module C:\\m\\trn_worm.dll is a 32-bit module; this launcher runs 64-bit modules "
              "(use the 32-bit launcher in the program folder)");
    EXPECT_EQ(launcher::otherMachineMessage("C:\\m\\trn_chain.dll", "b.dll (imported by a.dll)",
                                            platform::MachineAmd64, platform::MachineI386),
              "module C:\\m\\trn_chain.dll needs b.dll (imported by a.dll), which is a 64-bit "
              "library; this launcher runs 32-bit modules (use the 64-bit launcher in the x64 "
              "folder)");
    // No launcher runs ARM64 modules: the machine as a number, no advice.
    EXPECT_EQ(
        launcher::otherMachineMessage("C:\\m\\trn_worm.dll", "", 0xAA64, platform::MachineAmd64),
        "module C:\\m\\trn_worm.dll is a module for machine 0xAA64; this launcher runs "
        "64-bit modules");
}
