// The Windows demo modules from the program's folder, run through the
// launcher's module runner with an owner window of this test: each shows
// one message box, owned by that window, naming its kind as the launcher
// window's button does and the data file it was handed, and closes it by
// itself after TRN_DEMO_AUTOCLOSE_MS.
#include "FixtureRecord.h"
#include "launcher/CalculationKinds.h"
#include "launcher/ModuleRunner.h"
#include "launcher/Paths.h"
#include "launcher/window/WindowDescription.h"
#include "platform/Process.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include <windows.h>

using launcher::RunStatus;

namespace {

struct Box
{
    HWND window = nullptr;
    HWND owner = nullptr;
    std::wstring title;
    std::wstring text;
};

std::vector<Box> g_boxes;

LRESULT CALLBACK noteBoxes(int code, WPARAM wParam, LPARAM lParam)
{
    const auto window = reinterpret_cast<HWND>(wParam);
    wchar_t className[16] = {};
    // A box is activated again when another process's window took the
    // focus from it for a moment (the tests run side by side): counted once.
    const bool seen = std::any_of(g_boxes.begin(), g_boxes.end(),
                                  [window](const Box& box) { return box.window == window; });
    if (code == HCBT_ACTIVATE && !seen && GetClassNameW(window, className, 16) &&
        std::wstring(className) == L"#32770") {
        Box box;
        box.window = window;
        box.owner = GetWindow(window, GW_OWNER);
        wchar_t text[1024] = {};
        GetWindowTextW(window, text, 1024);
        box.title = text;
        // The message of a message box is its static control 0xFFFF.
        GetDlgItemTextW(window, 0xFFFF, text, 1024);
        box.text = text;
        g_boxes.push_back(box);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

std::wstring wide(std::string_view bytes, UINT codePage)
{
    std::wstring text(bytes.size(), L'\0');
    const int length =
        MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(),
                            static_cast<int>(text.size()));
    text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    return text;
}

// The kind's name as the launcher window's button gives it.
std::wstring buttonCaption(std::string_view button)
{
    const launcher::ControlDescription* control = launcher::findControlDescription(button);
    return control ? wide(control->text, CP_UTF8) : std::wstring();
}

class Win32DemoModule : public testing::Test
{
protected:
    void SetUp() override
    {
        m_owner = CreateWindowExW(0, L"Static", L"DERIZE-Zizir", WS_POPUP, 0, 0, 10, 10, nullptr,
                                  nullptr, nullptr, nullptr);
        ASSERT_NE(m_owner, nullptr) << "no window: is Wine's null display driver set?";
        m_host.owner = m_owner;
        m_host.programDir = launcher::programDirFromExecutable(platform::executablePath(),
                                                               launcher::PathStyle::Windows) +
                            DERIZE_PROGRAM_DIR_FROM_TESTS;
        m_hook = SetWindowsHookExW(WH_CBT, noteBoxes, nullptr, GetCurrentThreadId());
        testsupport::setVariable("TRN_DEMO_AUTOCLOSE_MS", "0");
        g_boxes.clear();
    }

    void TearDown() override
    {
        testsupport::setVariable("TRN_DEMO_AUTOCLOSE_MS", nullptr);
        UnhookWindowsHookEx(m_hook);
        DestroyWindow(m_owner);
    }

    HWND m_owner = nullptr;
    HHOOK m_hook = nullptr;
    launcher::ModuleHost m_host;
};

} // namespace

TEST_F(Win32DemoModule, EveryKindShowsItsNameAndTheDataFileInABoxOfTheOwner)
{
    for (int number = 1; number <= 8; ++number) {
        const launcher::CalculationKind& kind = *launcher::kindForModuleNumber(number);
        SCOPED_TRACE(std::string(kind.entryPoint));
        // A control byte in the name is shown as a replacement character.
        char name[TRN_MAX_PATH] = "C:\\data\\box\x01.gear_exc_dat";
        g_boxes.clear();

        const launcher::RunOutcome outcome = launcher::RunCalculation(number, name, m_host);

        ASSERT_EQ(outcome.status, RunStatus::Completed) << outcome.message;
        EXPECT_EQ(outcome.flag, 1);
        EXPECT_EQ(outcome.libraryPath, m_host.programDir + launcher::moduleFileName(kind));
        EXPECT_EQ(GetModuleHandleA(outcome.libraryPath.c_str()), nullptr) << "still loaded";
        ASSERT_EQ(g_boxes.size(), 1u) << "the module showed no box, or more than one";
        const Box& box = g_boxes.front();
        EXPECT_EQ(box.owner, m_owner);
        const std::wstring caption = buttonCaption(kind.buttonName);
        ASSERT_FALSE(caption.empty()) << "no caption for " << kind.buttonName;
        EXPECT_NE(box.text.find(caption), std::wstring::npos);
        EXPECT_NE(box.text.find(L"C:\\data\\box\xfffd.gear_exc_dat"), std::wstring::npos);
        EXPECT_NE(box.text.find(wide(kind.entryPoint, CP_ACP)), std::wstring::npos);
    }
}

TEST_F(Win32DemoModule, WithoutADataFileTheBoxSaysSo)
{
    char name[TRN_MAX_PATH] = "";
    const launcher::RunOutcome outcome = launcher::RunCalculation(6, name, m_host);
    ASSERT_EQ(outcome.status, RunStatus::Completed) << outcome.message;
    ASSERT_EQ(g_boxes.size(), 1u);
    EXPECT_NE(g_boxes.front().text.find(L"файл данных не передан"), std::wstring::npos);
}
