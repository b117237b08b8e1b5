// Start-up as both programs run it, against a fake program window: the
// dictionary beside the executable, the window, then automatic mode or the
// main loop, and the exit status of each way it can end.
#include "launcher/Startup.h"

#include "FixtureRecord.h"
#include "launcher/ExitStatus.h"
#include "launcher/window/LauncherView.h"
#include "launcher/window/LauncherWindow.h"
#include "platform/Process.h"
#include "translation/Dictionary.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

using testsupport::recordField;

namespace {

class FakeProgramWindow final : public launcher::ProgramWindow, private launcher::LauncherView
{
public:
    bool refuse = false; // create() fails as a system that cannot make windows
    std::vector<std::string> events;
    std::string createdFor; // the program folder create() was given
    int checked = 0;

    bool create(const std::string& programDir, std::string& error) override
    {
        events.push_back("create");
        createdFor = programDir;
        if (refuse) {
            error = "cannot create the window: no desktop";
            return false;
        }
        launcher::LauncherView& view = *this;
        m_behaviour = std::make_unique<launcher::LauncherWindow>(view, programDir);
        return true;
    }
    launcher::LauncherWindow& behaviour() override { return *m_behaviour; }
    int runMainLoop() override
    {
        events.push_back("main loop");
        return 0;
    }

private:
    int checkedKind() const override { return checked; }
    void checkKind(int kindIndex) override
    {
        events.push_back("check " + std::to_string(kindIndex));
        checked = kindIndex;
    }
    void setRunEnabled(bool) override {}
    void setNotice(launcher::Notice) override {}
    void showNativeWindow() override {}
    void bringToForeground() override {}
    TrnWindowHandle ownerHandle() override { return nullptr; }

    std::unique_ptr<launcher::LauncherWindow> m_behaviour;
};

// The data files' folder the fake process was started in.
const std::string DataFolder =
    launcher::nativePathStyle() == launcher::PathStyle::Windows ? "C:\\data" : "/data";

struct Finished
{
    int status;
    std::string errors;
};

Finished start(FakeProgramWindow& window, const std::string& programDir,
               std::optional<std::string> argument1,
               std::optional<std::string> currentDirectory = DataFolder)
{
    launcher::ProcessStart process;
    process.argument1 = std::move(argument1);
    process.executablePath = programDir.empty() ? "" : programDir + "derize-zizir.exe";
    process.currentDirectory = [currentDirectory] { return currentDirectory; };
    testing::internal::CaptureStderr();
    const int status = launcher::runLauncher(window, process);
    return {status, testing::internal::GetCapturedStderr()};
}

int lineCount(const std::string& errors)
{
    return static_cast<int>(std::count(errors.begin(), errors.end(), '\n'));
}

} // namespace

TEST(Startup, TheDictionaryBesideTheExecutableIsReadBeforeTheWindowIsMade)
{
    testsupport::TempDir program;
    std::ofstream(program.path() / "Orvanel.Dic", std::ios::binary) << "\"Выполнить\"=\"Go\"\r\n";
    testsupport::RecordFile record;

    for (const std::optional<std::string>& argument :
         {std::optional<std::string>(), std::optional<std::string>("x.txt")}) {
        FakeProgramWindow window;
        const Finished finished = start(window, program.dirWithSlash(), argument);
        EXPECT_EQ(finished.status, launcher::ExitCompleted);
        EXPECT_EQ(finished.errors, "");
        EXPECT_EQ(window.events, (std::vector<std::string>{"create", "main loop"}))
            << "no kind: the window";
        EXPECT_EQ(window.createdFor, program.dirWithSlash());
        EXPECT_FALSE(window.behaviour().AutoRun);
        EXPECT_EQ(window.behaviour().KindIndex, -1);
        EXPECT_EQ(translation::TranslateText(u"Выполнить"), u"Go");
    }
    EXPECT_TRUE(record.lines().empty()) << "no module runs";

    // Without its own folder the program reads no dictionary and says so.
    FakeProgramWindow window;
    const Finished finished = start(window, "", std::nullopt);
    EXPECT_EQ(finished.status, launcher::ExitCompleted);
    EXPECT_EQ(finished.errors,
              "derize-zizir: cannot tell the program's folder; no dictionary is read\n");
    EXPECT_EQ(window.events, (std::vector<std::string>{"create", "main loop"}));
}

TEST(Startup, AKnownDataFileRunsItsKindAtOnceAndEndsWithWhatBecameOfTheRun)
{
    testsupport::RecordFile record;
    const char separator = platform::pathSeparator();
    {
        FakeProgramWindow window;
        const Finished finished =
            start(window, testsupport::fixtureDir("recording"), "x.WORM_CYL_DAT");
        EXPECT_EQ(finished.status, launcher::ExitCompleted) << finished.errors;
        EXPECT_EQ(window.events, (std::vector<std::string>{"create", "check 4"}))
            << "the kind's button is checked, the main loop never entered";
        const auto calls = record.linesStartingWith("call TrnRun_Worm ");
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(recordField(calls[0], "name"),
                  testsupport::hexOf(DataFolder + separator + "x.WORM_CYL_DAT"));
    }

    // The ways a run ends without the module: each with its status, one line
    // and no main loop.
    testsupport::TempDir empty;
    const std::string tooLong(launcher::MaxDataFileNameLength, 'n');
    struct Case
    {
        const char* what;
        std::string programDir;
        std::string argument;
        std::optional<std::string> currentDirectory;
        int status;
        std::string error;
    } cases[] = {
        {"no module", empty.dirWithSlash(), "x.chai_rol_dat", DataFolder,
         launcher::ExitModuleNotLoaded, "not found in"},
        {"no entry point", testsupport::fixtureDir("no_entry"), "x.worm_cyl_dat", DataFolder,
         launcher::ExitEntryPointMissing, "does not export the entry point TrnRun_Worm"},
        {"a name too long", testsupport::fixtureDir("recording"), tooLong + ".gear_exc_dat",
         DataFolder, launcher::ExitBadDataFileName, "longer than the 259 bytes"},
        {"no current directory", testsupport::fixtureDir("recording"), "x.gear_exc_dat",
         std::nullopt, launcher::ExitBadDataFileName, "cannot read the current directory"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeProgramWindow window;
        const Finished finished = start(window, c.programDir, c.argument, c.currentDirectory);
        EXPECT_EQ(finished.status, c.status);
        EXPECT_EQ(lineCount(finished.errors), 1) << finished.errors;
        EXPECT_NE(finished.errors.find(c.error), std::string::npos) << finished.errors;
        EXPECT_EQ(window.events.front(), "create") << "the window is made first";
        EXPECT_EQ(std::count(window.events.begin(), window.events.end(), "main loop"), 0);
    }
    EXPECT_EQ(record.linesStartingWith("call ").size(), 1u) << "only the first run called";
}

TEST(Startup, AWindowThatCannotBeMadeEndsTheProgramWithItsOwnStatus)
{
    testsupport::RecordFile record;
    FakeProgramWindow window;
    window.refuse = true;
    const Finished finished = start(window, testsupport::fixtureDir("recording"), "x.gear_exc_dat");
    EXPECT_EQ(finished.status, launcher::ExitNoWindow);
    EXPECT_EQ(finished.errors, "derize-zizir: cannot create the window: no desktop\n");
    EXPECT_EQ(window.events, std::vector<std::string>{"create"});
    EXPECT_TRUE(record.lines().empty()) << "no module runs";
}
