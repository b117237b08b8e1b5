// The real derize-zizir.exe in automatic mode, started as a user's shell
// would start it, in a folder of its own with the module it is to run; and
// derize-zizir-check.exe beside it.
#include "FixtureRecord.h"
#include "launcher/window/WindowTexts.h"
#include "platform/ErrorReport.h"
#include "platform/ImportTable.h"
#include "translation/Dictionary.h"
#include "translation/DictionaryFormat.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <utility>
#include <vector>
#include <windows.h>

namespace fs = std::filesystem;

namespace {

// The folder of this test program.
fs::path testFolder()
{
    wchar_t self[MAX_PATH * 2];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH * 2);
    return fs::path(std::wstring(self, length)).parent_path();
}

// The build's program folder: "bin" in the build tree, beside "tests".
fs::path programFolder()
{
    return testFolder().parent_path().parent_path() / "bin";
}

// Copies the program and its runtime DLLs into `folder`; returns the
// program's name there, quoted, to start a command line with.
std::wstring installProgram(const fs::path& folder)
{
    const fs::path bin = programFolder();
    for (const char* file : {"derize-zizir.exe", DERIZE_MINGW_RUNTIME_DLLS}) {
        fs::copy_file(bin / file, folder / file);
    }
    return L"\"" + (folder / "derize-zizir.exe").wstring() + L"\"";
}

// Clicks the kind button at `index` of the launcher window `window`, then
// posts a click on Run (a module run may end the program before a sent one
// returns); returns the Run button.
HWND clickKindAndRun(HWND window, int index)
{
    HWND group = FindWindowExW(window, nullptr, L"Button", nullptr);
    HWND kind = FindWindowExW(group, nullptr, L"TzrRadioButton", nullptr);
    for (int i = 0; i < index && kind != nullptr; ++i) {
        kind = FindWindowExW(group, kind, L"TzrRadioButton", nullptr);
    }
    EXPECT_NE(kind, nullptr) << "no kind button " << index;
    SendMessageW(kind, BM_CLICK, 0, 0);
    HWND runButton = FindWindowExW(window, group, L"Button", nullptr);
    PostMessageW(runButton, BM_CLICK, 0, 0);
    return runButton;
}

// The visible launcher window of the process `processId`, waited for up to
// 30 seconds; nullptr when none comes up.
HWND launcherWindowOf(DWORD processId)
{
    for (int attempt = 0; attempt < 1500; ++attempt) {
        for (HWND candidate = FindWindowW(L"TFormGears", nullptr); candidate != nullptr;
             candidate = FindWindowExW(nullptr, candidate, L"TFormGears", nullptr)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(candidate, &owner);
            if (owner == processId && IsWindowVisible(candidate)) {
                return candidate;
            }
        }
        Sleep(20);
    }
    return nullptr;
}

struct Finished
{
    DWORD status = 0;
    std::string errorOutput;
    std::string output; // when it went to a file
};

std::string contentsOf(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

HANDLE inheritableFile(const fs::path& file)
{
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inheritable,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(handle, INVALID_HANDLE_VALUE) << file.string();
    return handle;
}

// Runs `commandLine` with its standard error in a file (and its standard
// output in `outputFile`, when one is named) and waits for it;
// `whileRunning` is given the process's id first.
Finished run(const std::wstring& commandLine, const fs::path& errorFile,
             const std::function<void(DWORD)>& whileRunning = {}, const fs::path& outputFile = {})
{
    HANDLE error = inheritableFile(errorFile);
    HANDLE output = outputFile.empty() ? nullptr : inheritableFile(outputFile);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = output != nullptr ? output : GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = error;
    PROCESS_INFORMATION process{};
    std::wstring line = commandLine;
    Finished finished;
    const BOOL started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &startup, &process);
    const DWORD startError = GetLastError();
    CloseHandle(error);
    if (output != nullptr) {
        CloseHandle(output);
    }
    if (!started) {
        ADD_FAILURE() << "cannot start the program: error " << startError;
        return finished;
    }
    if (whileRunning) {
        whileRunning(process.dwProcessId);
    }
    if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) {
        ADD_FAILURE() << "the program did not end within a minute";
        TerminateProcess(process.hProcess, 99);
    }
    GetExitCodeProcess(process.hProcess, &finished.status);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    finished.errorOutput = contentsOf(errorFile);
    if (!outputFile.empty()) {
        finished.output = contentsOf(outputFile);
    }
    return finished;
}

std::wstring widen(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}

} // namespace

TEST(LauncherProgram, AutomaticModeRunsTheKindOnTheNameAndEndsWithTheRunsStatus)
{
    const std::string tooLong = "C:\\" + std::string(250, 'a') + ".gear_exc_dat";
    // The lines of a module of the other bitness and of an import of it,
    // after the program's folder (its backslashes doubled on the line).
    const bool wide = platform::NativeMachine == platform::MachineAmd64;
    const std::string other = wide ? "32-bit" : "64-bit";
    const std::string advice =
        wide ? "; this launcher runs 64-bit modules (use the 32-bit launcher in the program folder)"
             : "; this launcher runs 32-bit modules (use the 64-bit launcher in the x64 folder)";
    const std::string otherModule = "\\trn_worm.dll is a " + other + " module" + advice;
    const std::string otherImport =
        "\\trn_chain.dll needs trn_fixture_foreign.dll, which is a " + other + " library" + advice;
    const struct
    {
        const char* what;
        const char* fixtureSet; // nullptr: no module beside the program
        const char* library;
        std::string argument; // as typed, quotes included
        std::string handedOver;
        DWORD status;
        const char* errorPart;         // nullptr: no error line
        const char* besides = nullptr; // a file of the test's folder put beside the program
    } cases[] = {
        {"a recording module", "recording", "trn_cylext", "C:\\data\\box.gear_exc_dat",
         "C:\\data\\box.gear_exc_dat", 0, nullptr},
        {"quotes group and are dropped", "recording", "trn_cylext",
         "\"C:\\My Data\\box.GEAR_EXC_DAT\" ignored.worm_cyl_dat", "C:\\My Data\\box.GEAR_EXC_DAT",
         0, nullptr},
        {"a module that raises an error", "recording", "trn_vbelt", "C:\\d\\a.belt_vee_dat",
         "C:\\d\\a.belt_vee_dat", 1, "raised an error in TrnRun_VBelt"},
        {"a name too long for the module", "recording", "trn_cylext", tooLong, "", 2, "259 bytes"},
        {"no module at all", nullptr, "trn_worm", "C:\\d\\a.worm_cyl_dat", "", 3, "trn_worm.dll"},
        {"no entry point", "no_entry", "trn_chain", "C:\\d\\a.chai_rol_dat", "", 4, "TrnRun_Chain"},
        // Refused by the loader: the reason as the files tell it, or else
        // the loader's own.
        {"a module of the other bitness", "other_bitness", "trn_worm", "C:\\d\\a.worm_cyl_dat", "",
         3, otherModule.c_str()},
        {"an import of the other bitness", "other_bitness_import", "trn_chain",
         "C:\\d\\a.chai_rol_dat", "", 3, otherImport.c_str(), "trn_fixture_foreign.dll"},
        {"a module file cut short", "cut_short", "trn_tbelt", "C:\\d\\a.toothedbelt_dat", "", 3,
         "cannot load module "},
        {"a text file named as a module", "not_library", "trn_vbelt", "C:\\d\\a.belt_vee_dat", "",
         3, "cannot load module "},
    // Modules as old ones misbehave: the run goes on, with one line.
#if DERIZE_CHECKED_CALL
        {"another calling convention", "wild_cdecl", "trn_cylext", "C:\\d\\a.gear_exc_dat", "", 0,
         "TrnRun_CylExt removed 0 bytes of arguments instead of 16"},
#endif
        {"a window left open", "wild_window", "trn_worm", "C:\\d\\a.worm_cyl_dat", "", 0,
         "left 1 window open; it stays loaded"},
        {"a quit request", "wild_quit", "trn_tbelt", "C:\\d\\a.toothedbelt_dat", "", 0,
         "asked the launcher to quit in TrnRun_TBelt"},
        // A structured exception: one line, then the system ends the
        // process with the exception code.
        {"an access violation", "crashing", "trn_tbelt", "C:\\d\\a.toothedbelt_dat", "",
         EXCEPTION_ACCESS_VIOLATION,
         "trn_tbelt.dll crashed in TrnRun_TBelt: exception 0xC0000005 (access violation)"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.what);
        testsupport::TempDir folder;
        testsupport::RecordFile record;
        testsupport::setVariable("TRN_RECORD_THROW", test.status == 1 ? "1" : nullptr);
        const std::wstring program = installProgram(folder.path());
        if (test.fixtureSet != nullptr) {
            const std::string dll = std::string(test.library) + ".dll";
            fs::copy_file(testsupport::fixtureDir(test.fixtureSet) + dll, folder.path() / dll);
        }
        if (test.besides != nullptr) {
            fs::copy_file(testFolder() / test.besides, folder.path() / test.besides);
        }
        const Finished finished =
            run(program + L" " + widen(test.argument), folder.path() / "stderr.txt");
        testsupport::setVariable("TRN_RECORD_THROW", nullptr);

        EXPECT_EQ(finished.status, test.status);
        if (test.errorPart == nullptr) {
            EXPECT_EQ(finished.errorOutput, "");
        } else {
            EXPECT_EQ(finished.errorOutput.rfind("derize-zizir: ", 0), 0u) << finished.errorOutput;
            EXPECT_NE(finished.errorOutput.find(test.errorPart), std::string::npos)
                << finished.errorOutput;
            EXPECT_EQ(finished.errorOutput.find('\n'), finished.errorOutput.size() - 1)
                << "one line: " << finished.errorOutput;
        }
        const auto calls = record.linesStartingWith("call ");
        if (!test.handedOver.empty()) {
            ASSERT_EQ(calls.size(), 1u);
            EXPECT_EQ(testsupport::recordField(calls[0], "name"),
                      testsupport::hexOf(test.handedOver));
        }
    }
}

// A module whose runtime ends the process through the system (a language's
// halt, a static C runtime's exit) or raises its own exception: named, and
// never taken for one of the launcher's statuses (3 is "not loaded").
TEST(LauncherProgram, AModuleThatEndsTheProcessOrRaisesItsOwnExceptionIsNamed)
{
    struct Case
    {
        const char* variable; // set for the fixture
        std::string value;
        const char* library; // of the fixture set, beside the program
        const char* argument;
        DWORD status;
        std::string line; // after "derize-zizir: module <path>"
    };
    std::vector<Case> cases = {
        {"TRN_END", "exit-at-load:3", "crashing/trn_tbelt", "a.toothedbelt_dat", 5,
         " ended the process while being loaded; the launcher ends with status 5"},
        {"TRN_END", "exit-in-call:3", "crashing/trn_tbelt", "a.toothedbelt_dat", 5,
         " ended the process in TrnRun_TBelt; the launcher ends with status 5"},
        {"TRN_END", "exit-at-unload:3", "crashing/trn_tbelt", "a.toothedbelt_dat", 5,
         " ended the process while being unloaded; the launcher ends with status 5"},
        // A static constructor that throws: C++ cannot unwind through the
        // system's loader, yet the error is named as on Linux.
        // (On 64-bit Windows the loader catches it and its text is lost.)
        {"TRN_RECORD_THROW", "load", "recording/trn_cylext", "a.gear_exc_dat", 1,
         sizeof(void*) == 4 ? " raised an error while being loaded: constructor of a static "
                              "object failed; the system loader cannot be used again, so the "
                              "launcher ends"
                            : " raised an error while being loaded: a C++ exception, which the "
                              "system's loader caught and whose text is lost; the system loader "
                              "cannot be used again, so the launcher ends"},
    };
    // Other runtimes' exceptions, each raised in the call: the process ends
    // with the code as its status.
    const std::pair<const char*, const char*> raised[] = {
        {"0xE06D7363", "a Visual C++ exception"},
        {"0x0EEDFADE", "an Object Pascal runtime's exception"},
        {"0xE0465043", "a Free Pascal runtime's exception"},
        {"0xE0434352", "a .NET exception"},
    };
    for (const auto& [code, name] : raised) {
        cases.push_back(
            {"TRN_END", std::string("raise:") + code, "crashing/trn_tbelt", "a.toothedbelt_dat",
             static_cast<DWORD>(std::stoul(code, nullptr, 16)),
             std::string(" crashed in TrnRun_TBelt: exception ") + code + " (" + name + ")"});
    }
    for (const auto& test : cases) {
        SCOPED_TRACE(test.value);
        testsupport::TempDir folder;
        const std::wstring program = installProgram(folder.path());
        const std::string set(test.library);
        const std::string dll = set.substr(set.find('/') + 1) + ".dll";
        fs::copy_file(testsupport::fixtureDir(set.substr(0, set.find('/'))) + dll,
                      folder.path() / dll);
        testsupport::setVariable(test.variable, test.value.c_str());
        const Finished finished =
            run(program + L" C:\\d\\" + widen(test.argument), folder.path() / "stderr.txt");
        testsupport::setVariable(test.variable, nullptr);
        EXPECT_EQ(finished.status, test.status);
        EXPECT_EQ(finished.errorOutput,
                  "derize-zizir: module " +
                      platform::escapeForErrorLine((folder.path() / dll).string()) + test.line +
                      "\r\n");
    }
}

TEST(LauncherProgram, WithoutADataFileTheWindowComesUpTranslatedAndClosingItEndsTheProgram)
{
    testsupport::TempDir folder;
    std::wstring line = installProgram(folder.path()) + L" notes.txt";
    fs::copy_file(DERIZE_ENGLISH_DICTIONARY, folder.path() / "Orvanel.Dic");

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    // An argument of no known kind: interactive mode all the same.
    ASSERT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &process));
    HWND window = launcherWindowOf(process.dwProcessId);
    ASSERT_NE(window, nullptr) << "no window within 30 seconds";
    wchar_t caption[128] = {};
    GetWindowTextW(window, caption, 128);
    EXPECT_STREQ(caption, L"ZEFRAN-DIVIZ program suite");
    HWND owner = GetWindow(window, GW_OWNER);
    GetWindowTextW(owner, caption, 128);
    EXPECT_STREQ(caption, L"DERIZE-Zizir");

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
    DWORD status = 99;
    GetExitCodeProcess(process.hProcess, &status);
    EXPECT_EQ(status, 0u);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
}

TEST(LauncherProgram, AModuleRunFromTheWindowThatCrashesOrEndsTheProcessEndsItWithItsLine)
{
    const struct
    {
        const char* end; // TRN_END for the crashing fixture
        DWORD status;
        const char* line;
    } cases[] = {
        {nullptr, static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION),
         "trn_tbelt.dll crashed in TrnRun_TBelt: exception 0xC0000005"},
        {"exit-in-call:3", 5, "trn_tbelt.dll ended the process in TrnRun_TBelt"},
    };
    testsupport::TempDir folder;
    const std::wstring program = installProgram(folder.path());
    fs::copy_file(testsupport::fixtureDir("crashing") + "trn_tbelt.dll",
                  folder.path() / "trn_tbelt.dll");
    for (const auto& test : cases) {
        SCOPED_TRACE(test.line);
        testsupport::setVariable("TRN_END", test.end);
        // The last kind's button is the toothed belt's.
        const Finished finished = run(program, folder.path() / "stderr.txt", [](DWORD processId) {
            HWND window = launcherWindowOf(processId);
            ASSERT_NE(window, nullptr);
            clickKindAndRun(window, 7);
        });
        testsupport::setVariable("TRN_END", nullptr);
        EXPECT_EQ(finished.status, test.status);
        EXPECT_NE(finished.errorOutput.find(test.line), std::string::npos) << finished.errorOutput;
    }
}

// The demo module of this build's bitness beside the program, as a user
// runs it: in automatic mode, then from the window; its box closes itself.
TEST(LauncherProgram, TheDemoModuleRunsInAutomaticModeAndFromTheWindow)
{
    testsupport::TempDir folder;
    const std::wstring program = installProgram(folder.path());
    fs::copy_file(programFolder() / "trn_worm.dll", folder.path() / "trn_worm.dll");
    testsupport::setVariable("TRN_DEMO_AUTOCLOSE_MS", "0");
    const Finished automatic = run(program + L" C:\\d\\box.worm_cyl_dat", folder.path() / "a.txt");
    EXPECT_EQ(automatic.status, 0u) << automatic.errorOutput;
    EXPECT_EQ(automatic.errorOutput, "");

    const Finished fromWindow = run(program, folder.path() / "w.txt", [](DWORD processId) {
        HWND window = launcherWindowOf(processId);
        ASSERT_NE(window, nullptr);
        // The fifth kind's button is the worm gear pair's.
        HWND runButton = clickKindAndRun(window, 4);
        // Run is enabled again once the module returned.
        for (int attempt = 0; attempt < 1500; ++attempt) {
            Sleep(20);
            if (IsWindowEnabled(runButton) && attempt > 10) {
                break;
            }
        }
        PostMessageW(window, WM_CLOSE, 0, 0);
    });
    testsupport::setVariable("TRN_DEMO_AUTOCLOSE_MS", nullptr);
    EXPECT_EQ(fromWindow.status, 0u) << fromWindow.errorOutput;
    EXPECT_EQ(fromWindow.errorOutput, "");
}

TEST(CheckToolProgram, ReportsTheTextsWritesTheTemplateAndNamesAMissingImport)
{
    testsupport::TempDir folder;
    installProgram(folder.path());
    fs::copy_file(programFolder() / "derize-zizir-check.exe",
                  folder.path() / "derize-zizir-check.exe");
    const auto check = [&folder](const std::wstring& arguments) {
        return run(L"\"" + (folder.path() / "derize-zizir-check.exe").wstring() + L"\" " +
                       arguments,
                   folder.path() / "stderr.txt", {}, folder.path() / "stdout.txt");
    };
    const auto quoted = [](const fs::path& path) { return L"\"" + path.wstring() + L"\""; };

    // The English dictionary beside it, where the launcher reads it.
    fs::copy_file(DERIZE_ENGLISH_DICTIONARY, folder.path() / "Orvanel.Dic");
    const Finished english = check(L"--texts");
    EXPECT_EQ(english.status, 0u) << english.output << english.errorOutput;
    EXPECT_NE(english.output.find("line 1: \"ZEFRAN-DIVIZ program suite\""), std::string::npos)
        << english.output;
    EXPECT_NE(english.output.find("13 of 13 texts translated"), std::string::npos)
        << english.output;

    std::ofstream(folder.path() / "one.dic", std::ios::binary) << "\"Выполнить\"=\"Run\"\r\n";
    const Finished partly = check(L"--texts --dictionary " + quoted(folder.path() / "one.dic"));
    EXPECT_EQ(partly.status, 1u) << partly.output << partly.errorOutput;
    EXPECT_NE(partly.output.find("2 of 13 texts translated, 11 not"), std::string::npos)
        << partly.output;

    const Finished missing = check(L"--texts --dictionary " + quoted(folder.path() / "none.dic"));
    EXPECT_EQ(missing.status, 2u);
    EXPECT_EQ(missing.output, "");
    EXPECT_EQ(missing.errorOutput.rfind("derize-zizir-check: no dictionary ", 0), 0u)
        << missing.errorOutput;
    EXPECT_EQ(missing.errorOutput.find('\n'), missing.errorOutput.size() - 1)
        << missing.errorOutput;

    // The template as the console program writes it into a file (its text
    // mode ends each line with CR LF) changes no text once loaded.
    const Finished written = check(L"--dictionary-template");
    EXPECT_EQ(written.status, 0u) << written.errorOutput;
    EXPECT_EQ(written.output.rfind("\xEF\xBB\xBF\"", 0), 0u);
    const fs::path dictionary = folder.path() / "template.dic";
    std::ofstream(dictionary, std::ios::binary) << written.output;
    translation::LoadDictionary(dictionary.string());
    const auto texts = launcher::launcherWindowLookups();
    EXPECT_EQ(translation::SourceTexts().size(), texts.size());
    for (const launcher::LookedUpText& text : texts) {
        const std::u16string shown = translation::fromLineBreakMarks(text.text);
        EXPECT_EQ(translation::TranslateText(shown), shown);
    }
    translation::LoadDictionary("");
    // ... and counts as nothing translated yet.
    const Finished fresh = check(L"--texts --dictionary " + quoted(dictionary));
    EXPECT_EQ(fresh.status, 1u) << fresh.output << fresh.errorOutput;
    EXPECT_NE(fresh.output.find("0 of 13 texts translated, 13 still as in the source"),
              std::string::npos)
        << fresh.output;

    // A module importing a DLL that is nowhere the loader looks.
    std::string unresolved = testsupport::fixtureDir("unresolved");
    unresolved.pop_back(); // a backslash before the closing quote would escape it
    const Finished report = check(L"--program-dir \"" + widen(unresolved) + L"\"");
    EXPECT_EQ(report.status, 1u) << report.output << report.errorOutput;
    EXPECT_NE(
        report.output.find("trn_chain.dll needs trn_fixture_dependency.dll, which was not found"),
        std::string::npos)
        << report.output;
    EXPECT_NE(report.output.find("loader: cannot load module"), std::string::npos) << report.output;

    // A module whose start-up code ends the process: the report so far is
    // in the file, and the check names itself.
    fs::copy_file(testsupport::fixtureDir("crashing") + "trn_tbelt.dll",
                  folder.path() / "trn_tbelt.dll");
    testsupport::setVariable("TRN_END", "exit-at-load:3");
    const Finished ended = check(L"");
    testsupport::setVariable("TRN_END", nullptr);
    EXPECT_EQ(ended.status, 5u) << ended.output << ended.errorOutput;
    EXPECT_NE(ended.output.find("7 trn_vbelt.dll (belt_vee_dat): "), std::string::npos)
        << ended.output;
    EXPECT_NE(ended.errorOutput.find("trn_tbelt.dll ended the process while being loaded; "
                                     "derize-zizir-check ends with status 5\r\n"),
              std::string::npos)
        << ended.errorOutput;
}
