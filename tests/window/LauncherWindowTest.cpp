// The launcher window's behaviour, driven through a fake view that records
// what is done to it, running the recording fixture modules.
#include "launcher/window/LauncherWindow.h"

#include "FixtureRecord.h"
#include "launcher/CalculationKinds.h"
#include "launcher/window/LauncherView.h"
#include "platform/Animation.h"

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using launcher::RunStatus;
using testsupport::recordField;
using testsupport::RecordFile;

namespace {

// One list of everything that happens, whoever does it: the view, the
// animation setting and the module during its call.
std::vector<std::string> g_events;
bool g_runEnabled = true;

class FakeView final : public launcher::LauncherView
{
public:
    launcher::LauncherWindow* window = nullptr;
    int checked = 0;

    int checkedKind() const override { return checked; }
    void checkKind(int kindIndex) override
    {
        g_events.push_back("check " + std::to_string(kindIndex));
        checked = kindIndex;
        window->rbGear_ExcClick();
    }
    void setRunEnabled(bool enabled) override
    {
        g_runEnabled = enabled;
        g_events.push_back(enabled ? "Run enabled" : "Run disabled");
    }
    void setNotice(launcher::Notice notice) override
    {
        g_events.push_back(notice == launcher::Notice::English ? "English notice"
                                                               : "Russian notice");
    }
    void showNativeWindow() override { g_events.push_back("show"); }
    void bringToForeground() override { g_events.push_back("foreground"); }
    TrnWindowHandle ownerHandle() override
    {
        return reinterpret_cast<TrnWindowHandle>(std::uintptr_t{0x5a5a});
    }
};

class FakeAnimation final : public platform::WindowAnimation
{
public:
    FakeAnimation(bool readable, int value) : m_readable(readable), m_value(value) {}
    bool query(int& value) override
    {
        g_events.push_back("animation query");
        value = m_value;
        return m_readable;
    }
    void set(int value) override { g_events.push_back("animation " + std::to_string(value)); }

private:
    bool m_readable;
    int m_value;
};

} // namespace

#ifdef _WIN32
#define DERIZE_EXPORTED __declspec(dllexport)
#else
#define DERIZE_EXPORTED
#endif

// Called by the fixture modules during the call.
extern "C" DERIZE_EXPORTED void trn_fixture_hook(const char* entryPoint)
{
    g_events.push_back(std::string("module ") + entryPoint +
                       (g_runEnabled ? " with Run enabled" : " with Run disabled"));
}

namespace {

class LauncherWindowTest : public testing::Test
{
protected:
    LauncherWindowTest()
        : window(view, testsupport::fixtureDir("recording"), &animation, [this] {
              ++languageQueries;
              return language;
          })
    {
        view.window = &window;
        g_events.clear();
        g_runEnabled = true;
        window.FormCreate();
    }
    ~LauncherWindowTest() override { testsupport::setVariable("TRN_RECORD_THROW", nullptr); }

    // Runs `action` and returns what it wrote to standard error.
    template <typename Action>
    std::string capturingErrors(Action action)
    {
        testing::internal::CaptureStderr();
        action();
        return testing::internal::GetCapturedStderr();
    }

    FakeView view;
    FakeAnimation animation{true, 0};
    std::string language = "RUS";
    int languageQueries = 0;
    launcher::LauncherWindow window;
};

const std::vector<std::string> BroughtForward = {"Run enabled", "animation query", "show",
                                                 "foreground"};

std::vector<std::string> runOf(const std::string& entryPoint)
{
    std::vector<std::string> events = {"Run disabled",
                                       "module " + entryPoint + " with Run disabled"};
    events.insert(events.end(), BroughtForward.begin(), BroughtForward.end());
    return events;
}

TEST_F(LauncherWindowTest, CreatingTheWindowClearsTheDataFileName)
{
    window.DataFileName = "/left/over.gear_exc_dat";
    window.FormCreate();
    EXPECT_EQ(window.DataFileName, "");
    EXPECT_FALSE(window.AutoRun);
    EXPECT_FALSE(window.lastOutcome().has_value());
}

TEST_F(LauncherWindowTest, ShowingPutsTheEnglishNoticeUnlessTheLanguageIsRussian)
{
    struct Case
    {
        const char* language;
        bool english;
    };
    for (const Case c : {Case{"RUS", false}, Case{"rus", false}, Case{"ENU", true}, Case{"", true},
                         Case{"DEU", true}, Case{"RU", true}}) {
        g_events.clear();
        language = c.language;
        window.FormShow();
        EXPECT_EQ(g_events, c.english ? std::vector<std::string>{"English notice"}
                                      : std::vector<std::string>{})
            << "language \"" << c.language << '"';
    }
    EXPECT_EQ(languageQueries, 6) << "the language is asked for at every show";
}

TEST_F(LauncherWindowTest, ClickingAKindEnablesRun)
{
    window.rbGear_ExcClick();
    EXPECT_EQ(g_events, std::vector<std::string>{"Run enabled"});
}

TEST_F(LauncherWindowTest, RunCallsTheCheckedKindWithAnEmptyNameAndTheViewsOwner)
{
    RecordFile record;
    window.btnRunClick();
    EXPECT_EQ(g_events, runOf("TrnRun_CylExt"))
        << "Run is off during the call, then on again, then the window comes forward";
    view.checked = 4;
    g_events.clear();
    window.btnRunClick();
    EXPECT_EQ(g_events, runOf("TrnRun_Worm"));

    const std::vector<std::string> lines = record.lines();
    ASSERT_EQ(lines.size(), 6u) << "expected load, call, unload for each run";
    EXPECT_EQ(lines[0], "load trn_cylext");
    EXPECT_EQ(lines[3], "load trn_worm");
    EXPECT_EQ(lines[5], "unload trn_worm");
    EXPECT_EQ(lines[4].rfind("call TrnRun_Worm form=B ", 0), 0u) << lines[4];
    EXPECT_EQ(recordField(lines[4], "name"), "") << "interactive Run passes the empty name";
    EXPECT_EQ(recordField(lines[4], "owner"), "0x5a5a") << "the owner is the view's handle";
    EXPECT_EQ(recordField(lines[4], "in1"), "recorded by TrnRun_CylExt")
        << "the worm module finds what the last run stored";
    ASSERT_TRUE(window.lastOutcome().has_value());
    EXPECT_EQ(window.lastOutcome()->status, RunStatus::Completed);
    EXPECT_TRUE(window.lastOutcome()->besideLauncher);
}

TEST_F(LauncherWindowTest, FailedRunsReportOneLineAndEnableRunAgain)
{
    RecordFile record;
    // The module that raised stays loaded for the rest of the process; no
    // other test here runs this kind.
    view.checked = 3;
    testsupport::setVariable("TRN_RECORD_THROW", "1");
    const std::string raised = capturingErrors([this] { window.btnRunClick(); });
    testsupport::setVariable("TRN_RECORD_THROW", nullptr);
    EXPECT_EQ(g_events, runOf("TrnRun_BevStr"));

    testsupport::TempDir empty;
    window.setProgramDir(empty.dirWithSlash());
    view.checked = 7;
    g_events.clear();
    const std::string missing = capturingErrors([this] { window.btnRunClick(); });
    EXPECT_EQ(g_events, (std::vector<std::string>{"Run disabled", "Run enabled", "animation query",
                                                  "show", "foreground"}));
    ASSERT_TRUE(window.lastOutcome().has_value());
    EXPECT_EQ(window.lastOutcome()->status, RunStatus::LibraryNotFound);
    EXPECT_FALSE(window.lastOutcome()->besideLauncher);

    struct Case
    {
        const std::string& errors;
        std::vector<std::string> parts;
    };
    for (const Case& c : {Case{raised,
                               {"trn_bevstr", "raised an error in TrnRun_BevStr",
                                "calculation failed in TrnRun_BevStr"}},
                          Case{missing, {"trn_tbelt", "not found"}}}) {
        for (const std::string& part : c.parts) {
            EXPECT_NE(c.errors.find(part), std::string::npos) << c.errors;
        }
        EXPECT_EQ(std::count(c.errors.begin(), c.errors.end(), '\n'), 1) << c.errors;
        EXPECT_EQ(c.errors.rfind("derize-zizir: ", 0), 0u) << c.errors;
    }
    EXPECT_TRUE(record.linesStartingWith("unload trn_bevstr").empty())
        << "a module that raised an error stays loaded";
}

#ifndef _WIN32
// A module that takes the process down leaves its line in the window too;
// each case runs in a child process of its own.
TEST_F(LauncherWindowTest, AModuleThatEndsTheProcessLeavesItsLine)
{
    testing::FLAGS_gtest_death_test_style = "threadsafe"; // a child started afresh
    testsupport::leaveFatalSignalsToTheProgram();
    window.setProgramDir(testsupport::fixtureDir("hostile"));
    view.checked = 4;
    const auto runAs = [this](const char* behaviour) {
        testsupport::setVariable("TRN_HOSTILE", behaviour);
        window.btnRunClick();
    };
    EXPECT_EXIT(runAs("throw-on-load"), testing::ExitedWithCode(1),
                "trn_worm.so raised an error while being loaded");
    EXPECT_EXIT(runAs("exit"), testing::ExitedWithCode(5), "trn_worm.so ended the process");
    EXPECT_EXIT(runAs("segv"), testing::KilledBySignal(SIGSEGV),
                "trn_worm.so crashed in TrnRun_Worm: signal SIGSEGV");

    const std::string raised = capturingErrors([&] { runAs("throw-null"); });
    testsupport::setVariable("TRN_HOSTILE", nullptr);
    EXPECT_NE(raised.find("trn_worm.so raised an error in TrnRun_Worm without a message"),
              std::string::npos)
        << raised;
    EXPECT_EQ(std::count(raised.begin(), raised.end(), '\n'), 1) << raised;
    EXPECT_EQ(g_events.back(), "foreground") << "the window goes on";
}
#endif

TEST_F(LauncherWindowTest, NameTooLongForTheModuleBufferIsNeverShortened)
{
    RecordFile record;
    window.DataFileName = "/" + std::string(259, 'n') + ".gear_exc_dat";
    const std::string errors = capturingErrors([this] { window.btnRunClick(); });
    EXPECT_TRUE(record.lines().empty()) << "the module must not be called with a cut name";
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
    EXPECT_NE(errors.find("longer than the 259 bytes"), std::string::npos) << errors;
    ASSERT_TRUE(window.lastOutcome().has_value());
    EXPECT_EQ(window.lastOutcome()->status, RunStatus::DataFileNameTooLong);
    EXPECT_EQ(launcher::exitStatusFor(window.lastOutcome()->status), 2);
    EXPECT_EQ(g_events, (std::vector<std::string>{"Run disabled", "Run enabled", "animation query",
                                                  "show", "foreground"}));
}

TEST_F(LauncherWindowTest, SelectKindAndRunDoesNothingWithoutAutoRun)
{
    RecordFile record;
    window.KindIndex = 5;
    window.DataFileName = "/data/x.chai_rol_dat";
    window.AutoRun = false;
    EXPECT_FALSE(window.SelectKindAndRun().has_value());
    EXPECT_TRUE(record.lines().empty());
    EXPECT_TRUE(g_events.empty());
    EXPECT_FALSE(window.lastOutcome().has_value());
}

TEST_F(LauncherWindowTest, SelectKindAndRunChecksTheKindRunsItAndReturnsTheOutcome)
{
    RecordFile record;
    window.KindIndex = 5;
    window.DataFileName = "/data/x.chai_rol_dat";
    window.AutoRun = true;
    const auto outcome = window.SelectKindAndRun();
    ASSERT_TRUE(outcome.has_value());
    EXPECT_EQ(outcome->status, RunStatus::Completed);
    std::vector<std::string> expected = {"check 5", "Run enabled"};
    const std::vector<std::string> run = runOf("TrnRun_Chain");
    expected.insert(expected.end(), run.begin(), run.end());
    EXPECT_EQ(g_events, expected) << "checking the kind runs its click handler";
    const std::vector<std::string> calls = record.linesStartingWith("call ");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].rfind("call TrnRun_Chain form=C ", 0), 0u) << calls[0];
    EXPECT_EQ(recordField(calls[0], "name"), testsupport::hexOf("/data/x.chai_rol_dat"));
    EXPECT_EQ(languageQueries, 0) << "bringing the window forward does not run FormShow";

    // A checked kind is not checked again; an index outside the table
    // leaves the choice as it is.
    for (const int kindIndex : {5, static_cast<int>(launcher::KindCount), -1}) {
        g_events.clear();
        window.KindIndex = kindIndex;
        ASSERT_TRUE(window.SelectKindAndRun().has_value());
        EXPECT_EQ(g_events, run) << "kind index " << kindIndex;
    }
    EXPECT_EQ(record.linesStartingWith("call TrnRun_Chain").size(), 4u);
}

// The bring-forward step after a run shows the window with the system's
// window animation switched off when it is on, and leaves it alone when it
// is off or cannot be read.
TEST_F(LauncherWindowTest, BringForwardSwitchesTheAnimationOffAroundTheShow)
{
    struct Case
    {
        bool readable;
        int value;
        std::vector<std::string> shown;
    };
    const Case cases[] = {
        {true, 1, {"animation query", "animation 0", "show", "animation -1"}},
        {true, 0, {"animation query", "show"}},
        // A failed query says nothing about the value it left behind.
        {false, 1, {"animation query", "show"}},
    };
    testsupport::TempDir empty;
    window.setProgramDir(empty.dirWithSlash());
    for (const Case& c : cases) {
        FakeAnimation animation(c.readable, c.value);
        window.setWindowAnimation(&animation);
        g_events.clear();
        capturingErrors([this] { window.btnRunClick(); });
        std::vector<std::string> expected = {"Run disabled", "Run enabled"};
        expected.insert(expected.end(), c.shown.begin(), c.shown.end());
        expected.push_back("foreground");
        EXPECT_EQ(g_events, expected) << "readable " << c.readable << ", value " << c.value;
    }
}

} // namespace
