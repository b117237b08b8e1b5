// A module that cannot be loaded because a DLL it imports is nowhere the
// loader looks: the fixture trn_chain.dll of the "unresolved" set imports
// trn_fixture_dependency.dll, which lies in a folder no search looks in.
// And modules refused for their bitness or that of a DLL they import.
#include "FixtureRecord.h"
#include "InstallationCheck.h"
#include "launcher/Paths.h"
#include "platform/ImportTable.h"
#include "platform/Library.h"
#include "platform/Process.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

const std::string MissingDll = "trn_fixture_dependency.dll";

std::string fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// A copy of a file beside the test program, removed again at the end.
class BesideTheProgram
{
public:
    BesideTheProgram(const std::string& source, const std::string& name)
        : m_path(launcher::programDirFromExecutable(platform::executablePath(),
                                                    launcher::PathStyle::Windows) +
                 name)
    {
        fs::copy_file(source, m_path, fs::copy_options::overwrite_existing);
    }
    ~BesideTheProgram()
    {
        std::error_code ignored;
        fs::remove(m_path, ignored);
    }
    BesideTheProgram(const BesideTheProgram&) = delete;
    BesideTheProgram& operator=(const BesideTheProgram&) = delete;

private:
    std::string m_path;
};

} // namespace

TEST(Win32MissingImport, TheModulesImportTableNamesTheDllTheLoaderDidNotFind)
{
    const std::string chain = testsupport::fixtureDir("unresolved") + "trn_chain.dll";
    const platform::PeImports imports = platform::readPeImports(fileBytes(chain));
    EXPECT_EQ(imports.status, platform::PeImports::Status::Read) << imports.problem;
    EXPECT_EQ(imports.machine, platform::NativeMachine);
    EXPECT_NE(std::find(imports.libraries.begin(), imports.libraries.end(), MissingDll),
              imports.libraries.end());

    std::string error;
    EXPECT_EQ(platform::loadLibrary(chain, error), nullptr);
    EXPECT_EQ(platform::loadObstacle(chain), platform::LoadObstacle{MissingDll});

    // Modules whose imports are all found (the C++ runtime lies beside the
    // test program), a file that is no module, a file that is not there.
    for (const std::string& path : {testsupport::fixtureDir("recording") + "trn_cylext.dll",
                                    testsupport::fixtureDir("not_library") + "trn_vbelt.dll",
                                    testsupport::fixtureDir("recording") + "trn_absent.dll"}) {
        EXPECT_EQ(platform::loadObstacle(path), std::nullopt) << path;
    }
}

TEST(Win32MissingImport, ABareNameIsFollowedFromWhereTheSystemsSearchFindsIt)
{
    const BesideTheProgram copy(testsupport::fixtureDir("unresolved") + "trn_chain.dll",
                                "trn_kit_chain.dll");
    EXPECT_EQ(platform::loadObstacle("trn_kit_chain.dll"), platform::LoadObstacle{MissingDll});
    EXPECT_EQ(platform::loadObstacle("trn_kit_nowhere.dll"), std::nullopt);
}

TEST(Win32MissingImport, TheCheckToolsReportNamesTheMissingDllBesideTheLoadersReason)
{
    const std::string folder = testsupport::fixtureDir("unresolved");
    const check::InstallationReport report = check::checkInstallation(folder, "ENU");
    const check::ModuleStatus& chain = report.modules[5];
    EXPECT_EQ(chain.status, launcher::RunStatus::LibraryNotLoadable);
    EXPECT_EQ(chain.missingImport, MissingDll);
    EXPECT_EQ(chain.message,
              "module " + folder + "trn_chain.dll needs " + MissingDll + ", which was not found");
    EXPECT_NE(chain.loaderMessage.find("error 126"), std::string::npos) << chain.loaderMessage;

    std::ostringstream out;
    check::printReport(report, out);
    EXPECT_NE(out.str().find("      reason: " + chain.message + "\n      loader: "),
              std::string::npos)
        << out.str();
    // The other kinds are simply not there.
    EXPECT_TRUE(report.modules[0].missingImport.empty());
}

TEST(Win32MissingImport, TheCheckToolsReportNamesAModuleOrAnImportOfTheOtherBitness)
{
    const bool wide = platform::NativeMachine == platform::MachineAmd64;
    const std::string other = wide ? "32-bit" : "64-bit";
    const std::string advice =
        wide ? "; this launcher runs 64-bit modules (use the 32-bit launcher in the program folder)"
             : "; this launcher runs 32-bit modules (use the 64-bit launcher in the x64 folder)";

    const std::string folder = testsupport::fixtureDir("other_bitness");
    const check::InstallationReport report = check::checkInstallation(folder, "ENU");
    const check::ModuleStatus& worm = report.modules[4];
    EXPECT_EQ(worm.status, launcher::RunStatus::LibraryNotLoadable);
    EXPECT_EQ(worm.message, "module " + folder + "trn_worm.dll is a " + other + " module" + advice);
    EXPECT_EQ(worm.missingImport, "");
    EXPECT_EQ(worm.loaderMessage.rfind("cannot load module " + folder + "trn_worm.dll: ", 0), 0u)
        << worm.loaderMessage;

    const std::string importing = testsupport::fixtureDir("other_bitness_import");
    const check::ModuleStatus chain = check::checkInstallation(importing, "ENU").modules[5];
    EXPECT_EQ(chain.status, launcher::RunStatus::LibraryNotLoadable);
    EXPECT_EQ(chain.message, "module " + importing +
                                 "trn_chain.dll needs trn_fixture_foreign.dll, which is a " +
                                 other + " library" + advice);
    EXPECT_EQ(chain.missingImport, "");
    // No DLL is missing for it: the one it needs is there, for the other machine.
    EXPECT_EQ(platform::loadObstacle(importing + "trn_chain.dll"),
              (platform::LoadObstacle{"trn_fixture_foreign.dll",
                                      wide ? platform::MachineI386 : platform::MachineAmd64}));
}
