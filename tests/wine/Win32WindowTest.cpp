// The Windows launcher window, built in the test process and examined
// through the Win32 API as any other program would see it.
#include "BracketedDictionary.h"
#include "FixtureRecord.h"
#include "FormGears.h"
#include "Picture.h"
#include "ProgramWindow.h"
#include "TranslatorKit.h"
#include "TzrRadioButton.h"
#include "WindowDpi.h"
#include "launcher/window/WindowDescription.h"
#include "launcher/window/WindowLayout.h"
#include "launcher/window/WindowTexts.h"
#include "platform/Animation.h"
#include "platform/WideText.h"
#include "translation/Dictionary.h"
#include "translation/DictionaryFormat.h"
#include "translation/win32/FormTranslator.h"
#include "translation/win32/WindowClasses.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <objidl.h>
#include <string>
#include <vector>
#include <windows.h>
// GDI+'s headers use the min and max of <windows.h>.
using std::max;
using std::min;
#include <gdiplus.h>

using launcher::ControlClass;
using launcher::LauncherControlDescriptions;
using launcher::win32::FormGears;
using launcher::win32::TzrRadioButton;
using platform::toWide;
using platform::windowText;

namespace {

// The system's animation setting is left alone: the query fails.
class NoAnimation final : public platform::WindowAnimation
{
public:
    bool query(int&) override { return false; }
    void set(int) override {}
};

// What a module saw of the launcher while its entry point ran.
struct DuringCall
{
    bool called = false;
    bool runEnabled = true;
    HWND boxOwner = nullptr;
};

DuringCall duringCall;
HWND runButtonOfTest = nullptr;
HWND ownerOfTest = nullptr;
bool moduleOpensABox = false;

// Closes the message box the module opened, from inside its modal loop.
void CALLBACK closeTheBox(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    HWND box = FindWindowW(L"#32770", L"module");
    if (box != nullptr) {
        duringCall.boxOwner = GetWindow(box, GW_OWNER);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
}

// A module's own message loop, owned by the window handed to it.
void openABox(HWND owner)
{
    SetTimer(nullptr, 0, 50, &closeTheBox);
    MessageBoxW(owner, L"calculating", L"module", MB_OK);
}

class LauncherWindowTest : public ::testing::Test
{
protected:
    void SetUp() override { makeWindow("RUS"); }

    void TearDown() override
    {
        runButtonOfTest = nullptr;
        ownerOfTest = nullptr;
        moduleOpensABox = false;
    }

    void makeWindow(const std::string& language)
    {
        m_form.reset();
        m_owner = std::make_unique<launcher::win32::OwnerWindow>();
        ASSERT_TRUE(m_owner->create(GetModuleHandleW(nullptr)));
        m_form = std::make_unique<FormGears>(GetModuleHandleW(nullptr), m_owner->hwnd(),
                                             testsupport::fixtureDir("recording"), &m_animation,
                                             [language] { return language; });
        std::string error;
        ASSERT_TRUE(m_form->create(error)) << error;
        runButtonOfTest = control("btnRun");
        ownerOfTest = m_owner->hwnd();
        duringCall = DuringCall{};
    }

    HWND control(const char* name) const
    {
        HWND hwnd = m_form->control(name);
        EXPECT_NE(hwnd, nullptr) << "no control " << name;
        return hwnd;
    }

    // Dispatches messages through the dialog manager, as the main loop
    // does, until `done` or five seconds have passed.
    bool pumpUntil(const std::function<bool()>& done)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                if (!IsDialogMessageW(m_form->hwnd(), &message)) {
                    TranslateMessage(&message);
                    DispatchMessageW(&message);
                }
            }
            Sleep(5);
        }
        return true;
    }

    void pumpPending()
    {
        pumpUntil([this] {
            MSG message;
            return !PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
        });
    }

    // A key pressed and released on the focused control.
    void press(UINT key)
    {
        PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
        PostMessageW(GetFocus(), WM_KEYUP, key, 0xC0000001);
        pumpPending();
    }

    std::vector<int> checkedKinds()
    {
        std::vector<int> checked;
        for (int kind = 0; kind < 8; ++kind) {
            if (SendMessageW(m_form->kindButton(kind).hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED) {
                checked.push_back(kind);
            }
        }
        return checked;
    }

    NoAnimation m_animation;
    testsupport::RecordFile m_record;
    std::unique_ptr<launcher::win32::OwnerWindow> m_owner;
    std::unique_ptr<FormGears> m_form;
};

RECT rectInParent(HWND hwnd)
{
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::wstring classOf(HWND hwnd)
{
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return name;
}

BOOL CALLBACK collectChild(HWND hwnd, LPARAM list)
{
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
    return TRUE;
}

std::vector<HWND> childrenInCreationOrder(HWND window)
{
    std::vector<HWND> children;
    EnumChildWindows(window, &collectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

// The font a control draws its text with.
LOGFONTW fontOf(HWND hwnd)
{
    LOGFONTW logFont{};
    auto font = reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0));
    GetObjectW(font, sizeof logFont, &logFont);
    return logFont;
}

// The window as the layout at `dpi` places it: its client area, every
// control's rectangle (the label's left and top: it sizes itself to its
// text), the font at that DPI and the pictures at their scaled sizes.
void expectLaidOutFor(FormGears& form, int dpi)
{
    SCOPED_TRACE(std::to_string(dpi) + " dpi");
    const launcher::WindowLayout layout = launcher::launcherWindowLayout(dpi);
    EXPECT_EQ(form.dpi(), dpi);
    RECT client{};
    GetClientRect(form.hwnd(), &client);
    EXPECT_EQ(client.right, layout.clientWidth);
    EXPECT_EQ(client.bottom, layout.clientHeight);
    for (std::size_t row = 0; row < LauncherControlDescriptions.size(); ++row) {
        const launcher::ControlDescription& description = LauncherControlDescriptions[row];
        SCOPED_TRACE(std::string(description.name));
        const launcher::ControlRect& expected = layout.controls[row];
        HWND hwnd = form.control(description.name);
        const RECT rect = rectInParent(hwnd);
        EXPECT_EQ(rect.left, expected.left);
        EXPECT_EQ(rect.top, expected.top);
        if (description.controlClass != ControlClass::Label) {
            EXPECT_EQ(rect.right - rect.left, expected.width);
            EXPECT_EQ(rect.bottom - rect.top, expected.height);
        }
        if (description.controlClass == ControlClass::Label ||
            description.controlClass == ControlClass::GroupBox ||
            description.controlClass == ControlClass::KindButton ||
            description.controlClass == ControlClass::PushButton) {
            const LOGFONTW font = fontOf(hwnd);
            EXPECT_EQ(font.lfHeight, -layout.fontHeight);
            EXPECT_STREQ(font.lfFaceName, L"MS Sans Serif");
        }
    }
    auto* ani = dynamic_cast<launcher::win32::Picture*>(form.controlObject("AniImage"));
    ASSERT_NE(ani, nullptr);
    const RECT drawn = ani->drawnRect();
    const RECT own{0, 0, launcher::scaleFromDesign(193, dpi), launcher::scaleFromDesign(73, dpi)};
    EXPECT_TRUE(EqualRect(&drawn, &own)) << "AniImage: its own size, scaled, from the top-left";
}

// Every text of the window fits its control as the window's font draws it:
// a kind's name on one line beside the radio indicator, the Run caption
// inside its button, the notice inside the window and above the group box.
void expectTextsFit(FormGears& form)
{
    const auto extent = [](HWND hwnd, UINT flags, int width) {
        const std::wstring text = windowText(hwnd);
        HDC dc = GetDC(hwnd);
        HGDIOBJ previous =
            SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)));
        RECT bounds{0, 0, width, 0};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &bounds, flags | DT_CALCRECT);
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, previous);
        ReleaseDC(hwnd, dc);
        return std::pair<RECT, int>{bounds, static_cast<int>(metrics.tmHeight)};
    };
    const int indicator =
        GetSystemMetrics(SM_CXMENUCHECK) + launcher::scaleFromDesign(4, form.dpi());
    for (int kind = 0; kind < 8; ++kind) {
        HWND button = form.kindButton(kind).hwnd();
        const RECT area = rectInParent(button);
        const auto [bounds, lineHeight] =
            extent(button, DT_WORDBREAK, area.right - area.left - indicator);
        EXPECT_EQ(bounds.bottom, lineHeight) << kind << ": its name takes more than one line";
        EXPECT_LE(bounds.bottom, area.bottom - area.top) << kind;
    }
    HWND run = form.control("btnRun");
    const RECT runArea = rectInParent(run);
    EXPECT_LT(extent(run, DT_SINGLELINE, 0).first.right,
              runArea.right - runArea.left - launcher::scaleFromDesign(8, form.dpi()));
    RECT client{};
    GetClientRect(form.hwnd(), &client);
    const RECT label = rectInParent(form.control("lblCopyright"));
    const RECT group = rectInParent(form.control("GroupBox1"));
    EXPECT_LE(label.right, client.right) << "the notice leaves the window";
    EXPECT_LE(label.bottom, group.top) << "the notice runs into the group box";
}

// Pixels as 0x00RRGGBB values, top row first.
struct Pixels
{
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> values;

    std::uint32_t at(int x, int y) const
    {
        return values[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};

// What `paint` draws into a 32-bit bitmap of `width` by `height`.
Pixels paintedPixels(int width, int height, const std::function<void(HDC)>& paint)
{
    Pixels drawn{width, height, {}};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr) {
        DeleteDC(dc);
        return drawn;
    }
    HGDIOBJ previous = SelectObject(dc, bitmap);
    paint(dc);
    GdiFlush();
    const auto* first = static_cast<const std::uint32_t*>(bits);
    drawn.values.assign(first, first + static_cast<std::size_t>(width) * height);
    for (std::uint32_t& value : drawn.values) {
        value &= 0xFFFFFF;
    }
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return drawn;
}

// What a picture control draws of its client area (WM_PRINTCLIENT).
Pixels drawnPixels(HWND picture)
{
    RECT client{};
    GetClientRect(picture, &client);
    return paintedPixels(client.right, client.bottom, [picture](HDC dc) {
        SendMessageW(picture, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    });
}

// A bitmap resource of the test program (which carries the launcher's).
const BITMAPINFO* bitmapResource(const wchar_t* name)
{
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, name, reinterpret_cast<LPCWSTR>(RT_BITMAP));
    HGLOBAL loaded = resource != nullptr ? LoadResource(module, resource) : nullptr;
    return loaded != nullptr ? static_cast<const BITMAPINFO*>(LockResource(loaded)) : nullptr;
}

// The resource as GDI draws it into `target` of a `width` by `height`
// bitmap, clipped to it: its very pixels at its own size, stretched in
// HALFTONE mode at any other.
Pixels stretched(const wchar_t* name, int width, int height, const RECT& target)
{
    const BITMAPINFO* bitmap = bitmapResource(name);
    if (bitmap == nullptr || launcher::win32::bitmapBits(*bitmap) == nullptr) {
        return {};
    }
    return paintedPixels(width, height, [bitmap, &target](HDC dc) {
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        StretchDIBits(dc, target.left, target.top, target.right - target.left,
                      target.bottom - target.top, 0, 0, bitmap->bmiHeader.biWidth,
                      std::abs(bitmap->bmiHeader.biHeight), launcher::win32::bitmapBits(*bitmap),
                      bitmap, DIB_RGB_COLORS, SRCCOPY);
    });
}

// Each picture drawn into its area at the window's DPI: AniImage at its
// own size scaled from 96 dpi, from the top-left corner (clipped to the
// area, the button face beside and below it), RxGIFAnimator1 stretched
// to its whole area; each as GDI draws the resource at that size (its very
// pixels at its own size).
void expectPicturesDrawnAt(FormGears& form, int dpi)
{
    SCOPED_TRACE(std::to_string(dpi) + " dpi");
    const std::uint32_t face = [] {
        const COLORREF colour = GetSysColor(COLOR_BTNFACE);
        return (std::uint32_t{GetRValue(colour)} << 16) | (std::uint32_t{GetGValue(colour)} << 8) |
               GetBValue(colour);
    }();
    const Pixels ani = drawnPixels(form.control("AniImage"));
    const int aniWidth = launcher::scaleFromDesign(193, dpi);
    const int aniHeight = launcher::scaleFromDesign(73, dpi);
    ASSERT_LT(ani.width, aniWidth);
    ASSERT_GT(ani.height, aniHeight);
    const Pixels aniExpected =
        stretched(L"ANI_IMAGE", ani.width, ani.height, RECT{0, 0, aniWidth, aniHeight});
    ASSERT_EQ(aniExpected.values.size(), ani.values.size());
    int wrong = 0;
    for (int y = 0; y < ani.height; ++y) {
        for (int x = 0; x < ani.width; ++x) {
            const std::uint32_t expected = y < aniHeight ? aniExpected.at(x, y) : face;
            wrong += ani.at(x, y) != expected ? 1 : 0;
        }
    }
    EXPECT_EQ(wrong, 0) << "AniImage: pixels other than the bitmap's and the button face's";

    const Pixels gif = drawnPixels(form.control("RxGIFAnimator1"));
    const Pixels gifExpected =
        stretched(L"TRANSMISSION", gif.width, gif.height, RECT{0, 0, gif.width, gif.height});
    EXPECT_EQ(gif.values, gifExpected.values) << "RxGIFAnimator1: not its bitmap stretched";
}

} // namespace

// Looks at the launcher while a module runs; exported for the recording
// fixture modules.
extern "C" __declspec(dllexport) void trn_fixture_hook(const char*)
{
    duringCall.called = true;
    duringCall.runEnabled = IsWindowEnabled(runButtonOfTest) != FALSE;
    if (moduleOpensABox) {
        openABox(ownerOfTest);
    }
}

TEST_F(LauncherWindowTest, ControlsAreTheTablesInItsOrderWithParentsTextsAndTabStops)
{
    const std::vector<HWND> children = childrenInCreationOrder(m_form->hwnd());
    ASSERT_EQ(children.size(), LauncherControlDescriptions.size());
    const std::pair<ControlClass, const wchar_t*> classes[] = {
        {ControlClass::Label, L"DerizeShadowLabel"}, {ControlClass::Panel, L"DerizeBevelPanel"},
        {ControlClass::Picture, L"DerizePicture"},   {ControlClass::GifPicture, L"DerizePicture"},
        {ControlClass::GroupBox, L"Button"},         {ControlClass::KindButton, L"TzrRadioButton"},
        {ControlClass::PushButton, L"Button"},
    };
    for (std::size_t row = 0; row < children.size(); ++row) {
        const launcher::ControlDescription& description = LauncherControlDescriptions[row];
        SCOPED_TRACE(std::string(description.name));
        HWND hwnd = children[row];
        EXPECT_EQ(hwnd, m_form->control(description.name));
        EXPECT_EQ(GetParent(hwnd), description.parent.empty()
                                       ? m_form->hwnd()
                                       : m_form->control(description.parent));
        for (const auto& [kind, className] : classes) {
            if (kind == description.controlClass) {
                EXPECT_EQ(classOf(hwnd), className);
            }
        }
        // Each control's place: LauncherWindowScale.TheWindowIsTheDesignScaledToTheDisplaysDpi.
        EXPECT_EQ(windowText(hwnd), toWide(description.text));
        EXPECT_EQ((GetWindowLongW(hwnd, GWL_STYLE) & WS_TABSTOP) != 0, description.tabStop);
        EXPECT_EQ(GetDlgCtrlID(hwnd), FormGears::FirstControlId + static_cast<int>(row));
    }
    EXPECT_EQ(checkedKinds(), std::vector<int>{0});
    EXPECT_TRUE(IsWindowEnabled(control("btnRun")));
}

TEST_F(LauncherWindowTest, FrameIconFontAndOwnerAreTheWindowsOwn)
{
    // The frame's place, the client area and the font's face and size at the
    // display's DPI: LauncherWindowScale.TheWindowIsTheDesignScaledToTheDisplaysDpi.
    HWND form = m_form->hwnd();
    EXPECT_EQ(windowText(form), toWide(launcher::LauncherWindowDescription.caption));
    EXPECT_EQ(classOf(form), L"TFormGears");

    // Title bar with the system menu and its close command only; a fixed
    // single border.
    const LONG style = GetWindowLongW(form, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU);
    EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
    EXPECT_FALSE(IsWindowVisible(form)) << "created hidden, shown by the main loop";

    // The hidden owner window carries the application title and owns the
    // launcher window, which asks for the taskbar button itself.
    EXPECT_EQ(GetWindow(form, GW_OWNER), m_owner->hwnd());
    EXPECT_EQ(windowText(m_owner->hwnd()), L"DERIZE-Zizir");
    EXPECT_FALSE(IsWindowVisible(m_owner->hwnd()));
    EXPECT_NE(GetWindowLongW(form, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
    EXPECT_EQ(m_form->ownerHandle(), reinterpret_cast<TrnWindowHandle>(m_owner->hwnd()));

    auto icon = reinterpret_cast<HICON>(SendMessageW(form, WM_GETICON, ICON_SMALL, 0));
    ICONINFO info{};
    ASSERT_TRUE(icon != nullptr && GetIconInfo(icon, &info));
    BITMAP bitmap{};
    GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, 16);
    EXPECT_EQ(bitmap.bmHeight, 16);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);

    for (const char* name : {"lblCopyright", "GroupBox1", "rbGear_Exc", "btnRun"}) {
        EXPECT_EQ(fontOf(control(name)).lfCharSet, RUSSIAN_CHARSET) << name;
    }
}

TEST_F(LauncherWindowTest, PicturesAreTheProgramsBitmapResources)
{
    using launcher::win32::Picture;
    const struct
    {
        const char* name;
        SIZE size;
        RECT drawn;
    } cases[] = {
        // At its own size from the top-left: its last column lies outside.
        {"AniImage", {193, 73}, {0, 0, 193, 73}},
        // Stretched to its area.
        {"RxGIFAnimator1", {140, 131}, {0, 0, 139, 130}},
    };
    for (const auto& expected : cases) {
        auto* picture = dynamic_cast<Picture*>(m_form->controlObject(expected.name));
        ASSERT_NE(picture, nullptr) << expected.name;
        EXPECT_EQ(picture->pictureSize().cx, expected.size.cx) << expected.name;
        EXPECT_EQ(picture->pictureSize().cy, expected.size.cy) << expected.name;
        const RECT drawn = picture->drawnRect();
        EXPECT_TRUE(EqualRect(&drawn, &expected.drawn)) << expected.name;
    }
}

// The bitmaps hold the very pixels of the pictures the Qt window shows
// (resources/images/make-images.py writes both), as GDI+ decodes them.
TEST(LauncherPictures, TheBitmapsAreThePixelsOfThePngAndTheGif)
{
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    ASSERT_EQ(Gdiplus::GdiplusStartup(&token, &input, nullptr), Gdiplus::Ok);
    const struct
    {
        const wchar_t* resource;
        const char* file;
    } pictures[] = {{L"ANI_IMAGE", "ani_image.png"}, {L"TRANSMISSION", "transmission.gif"}};
    for (const auto& picture : pictures) {
        SCOPED_TRACE(picture.file);
        const std::wstring path = toWide(std::string(DERIZE_IMAGES_DIR) + "/" + picture.file);
        {
            Gdiplus::Bitmap decoded(path.c_str());
            ASSERT_EQ(decoded.GetLastStatus(), Gdiplus::Ok);
            const int width = static_cast<int>(decoded.GetWidth());
            const int height = static_cast<int>(decoded.GetHeight());
            const Pixels bitmap =
                stretched(picture.resource, width, height, RECT{0, 0, width, height});
            ASSERT_EQ(bitmap.values.size(), static_cast<std::size_t>(width) * height);
            int wrong = 0;
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < width; ++x) {
                    Gdiplus::Color colour;
                    decoded.GetPixel(x, y, &colour);
                    wrong += (colour.GetValue() & 0xFFFFFF) != bitmap.at(x, y) ? 1 : 0;
                }
            }
            EXPECT_EQ(wrong, 0);
        }
    }
    Gdiplus::GdiplusShutdown(token);
}

TEST_F(LauncherWindowTest, KindButtonsAreNativeRadioButtonsRecreatedOnlyForANewValue)
{
    using launcher::TAlignment;
    using launcher::TStyle;
    using launcher::TVertAlignment;
    constexpr LONG ButtonBits = 0xFFFF;
    // BS_RADIOBUTTON, BS_LEFT, BS_TOP and BS_MULTILINE.
    constexpr LONG Initial = 0x2504;
    for (int kind = 0; kind < 8; ++kind) {
        HWND button = m_form->kindButton(kind).hwnd();
        const LONG style = GetWindowLongW(button, GWL_STYLE);
        EXPECT_EQ(style & ButtonBits, Initial) << kind;
        EXPECT_EQ((style & WS_GROUP) != 0, kind == 0) << kind;
        // A superclass of the native button: it answers the button's own
        // messages, and the window's translator knows it as a button.
        EXPECT_TRUE(translation::win32::derivesFrom(button, L"Button")) << kind;
        SendMessageW(button, BM_SETSTATE, TRUE, 0);
        EXPECT_NE(SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED, 0) << kind;
        SendMessageW(button, BM_SETSTATE, FALSE, 0);
    }

    const struct
    {
        const char* change;
        std::function<void(TzrRadioButton&)> apply;
        int recreations;
        LONG bits;
    } cases[] = {
        {"WordWrap true again", [](TzrRadioButton& b) { b.setWordWrap(true); }, 0, Initial},
        {"taLeftJustify again",
         [](TzrRadioButton& b) { b.setHorizontalAlignment(TAlignment::taLeftJustify); }, 0,
         Initial},
        {"WordWrap false", [](TzrRadioButton& b) { b.setWordWrap(false); }, 1, 0x0504},
        {"taCenter", [](TzrRadioButton& b) { b.setHorizontalAlignment(TAlignment::taCenter); }, 1,
         0x2704},
        {"vaBottomJustify",
         [](TzrRadioButton& b) { b.setVerticalAlignment(TVertAlignment::vaBottomJustify); }, 1,
         0x2904},
        {"vsFlat", [](TzrRadioButton& b) { b.setButtonStyle(TStyle::vsFlat); }, 1, 0xA504},
        {"vsPushButton", [](TzrRadioButton& b) { b.setButtonStyle(TStyle::vsPushButton); }, 1,
         0x3504},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.change);
        makeWindow("RUS");
        TzrRadioButton& checked = m_form->kindButton(0);
        HWND before = checked.hwnd();
        const RECT place = rectInParent(before);
        test.apply(checked);
        EXPECT_EQ(checked.recreations(), test.recreations);
        EXPECT_EQ(checked.hwnd() != before, test.recreations != 0);
        const LONG style = GetWindowLongW(checked.hwnd(), GWL_STYLE);
        EXPECT_EQ(style & ButtonBits, test.bits);
        // The new control takes the old one's place in every respect.
        EXPECT_EQ(style & (WS_TABSTOP | WS_GROUP), WS_TABSTOP | WS_GROUP);
        EXPECT_EQ(checkedKinds(), std::vector<int>{0});
        const RECT now = rectInParent(checked.hwnd());
        EXPECT_TRUE(EqualRect(&now, &place));
        EXPECT_EQ(windowText(checked.hwnd()), toWide(LauncherControlDescriptions[6].text));
        EXPECT_EQ(childrenInCreationOrder(m_form->hwnd())[6], checked.hwnd());
    }
}

TEST_F(LauncherWindowTest, AClickedKindIsCheckedAloneAndRunCallsItWithTheOwnerWhileItsBoxIsUp)
{
    HWND run = control("btnRun");
    EnableWindow(run, FALSE);
    SendMessageW(m_form->kindButton(4).hwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(checkedKinds(), std::vector<int>{4});
    for (int kind = 0; kind < 8; ++kind) {
        EXPECT_EQ((GetWindowLongW(m_form->kindButton(kind).hwnd(), GWL_STYLE) & WS_TABSTOP) != 0,
                  kind == 4)
            << kind;
    }
    EXPECT_TRUE(IsWindowEnabled(run)) << "a kind's click enables Run";

    moduleOpensABox = true;
    // Posted: a sent click would not return before the module's box is
    // closed.
    PostMessageW(run, BM_CLICK, 0, 0);
    ASSERT_TRUE(pumpUntil([this] { return !m_record.linesStartingWith("unload ").empty(); }));

    const std::vector<std::string> calls = m_record.linesStartingWith("call ");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].rfind("call TrnRun_Worm form=B ", 0), 0u) << calls[0];
    EXPECT_EQ(testsupport::recordField(calls[0], "owner"),
              testsupport::pointerText(m_owner->hwnd()));
    EXPECT_EQ(testsupport::recordField(calls[0], "name"), "");
    EXPECT_TRUE(duringCall.called);
    EXPECT_FALSE(duringCall.runEnabled) << "Run is disabled while the module runs";
    EXPECT_EQ(duringCall.boxOwner, m_owner->hwnd());

    // Afterwards: Run enabled again, the window shown and brought forward
    // without its show handler (the Russian notice untouched).
    EXPECT_TRUE(IsWindowEnabled(run));
    EXPECT_TRUE(IsWindowVisible(m_form->hwnd()));
    EXPECT_EQ(windowText(control("lblCopyright")), toWide(LauncherControlDescriptions[0].text));
}

TEST_F(LauncherWindowTest, KeyboardMovesAsInADialogAndPressesTheFocusedRun)
{
    m_form->show();
    HWND run = control("btnRun");
    HWND first = m_form->kindButton(0).hwnd();
    HWND form = m_form->hwnd();
    EXPECT_EQ(GetFocus(), first) << "the first control in tab order has the focus";
    // Tab order: the checked kind button (its group's tab stop), then Run.
    EXPECT_EQ(GetNextDlgTabItem(form, first, FALSE), run);
    EXPECT_EQ(GetNextDlgTabItem(form, run, FALSE), first);
    EXPECT_EQ(GetNextDlgTabItem(form, run, TRUE), first);

    press(VK_DOWN);
    EXPECT_EQ(GetFocus(), m_form->kindButton(1).hwnd()) << "the arrow keys move among the kinds";
    EXPECT_EQ(checkedKinds(), std::vector<int>{1});
    press(VK_TAB);
    EXPECT_EQ(GetFocus(), run);

    // The module's box takes the activation and gives it back: the focus
    // returns to Run, and the kind chosen stays.
    moduleOpensABox = true;
    press(VK_RETURN);
    ASSERT_TRUE(pumpUntil([this] { return m_record.linesStartingWith("unload ").size() == 1; }));
    EXPECT_EQ(m_record.linesStartingWith("call TrnRun_CylInt ").size(), 1u);
    EXPECT_NE(duringCall.boxOwner, nullptr);
    pumpPending();
    EXPECT_EQ(GetFocus(), run);
    EXPECT_EQ(checkedKinds(), std::vector<int>{1});
    moduleOpensABox = false;

    SetFocus(run);
    press(VK_SPACE);
    ASSERT_TRUE(pumpUntil([this] { return m_record.linesStartingWith("call ").size() == 2; }));
}

TEST_F(LauncherWindowTest, ShowingSetsTheNoticeByTheUsersLanguageAndFitsTheLabelToIt)
{
    const struct
    {
        const char* language;
        std::wstring notice;
    } cases[] = {
        {"RUS", toWide(LauncherControlDescriptions[0].text)},
        {"ENU", toWide(launcher::englishCopyrightNotice())},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.language);
        makeWindow(test.language);
        m_form->show();
        EXPECT_TRUE(IsWindowVisible(m_form->hwnd()));
        HWND label = control("lblCopyright");
        EXPECT_EQ(windowText(label), test.notice);
        // Two lines of the 11-pixel font and the shadow; the width fits
        // the longer line.
        const RECT rect = rectInParent(label);
        EXPECT_EQ(rect.left, 161);
        EXPECT_EQ(rect.top, 122);
        EXPECT_GT(rect.bottom - rect.top, 20);
        EXPECT_LT(rect.bottom - rect.top, 40);
        EXPECT_GT(rect.right - rect.left, 100);
    }
}

TEST_F(LauncherWindowTest, TheEnglishDictionaryTurnsTheWindowEnglishWhenItIsShown)
{
    translation::LoadDictionary(DERIZE_ENGLISH_DICTIONARY);
    ASSERT_TRUE(translation::DictionaryLoaded());
    makeWindow("RUS");
    // The bring-forward step after a run shows the window untranslated.
    SendMessageW(control("btnRun"), BM_CLICK, 0, 0);
    EXPECT_TRUE(IsWindowVisible(m_form->hwnd()));
    EXPECT_EQ(windowText(m_form->hwnd()), toWide(launcher::LauncherWindowDescription.caption));

    m_form->show();
    const std::pair<const char*, const wchar_t*> english[] = {
        {"GroupBox1", L"Calculation types"},
        {"rbGear_Exc", L"External cylindrical gear pair"},
        {"rbToothedBelt", L"Toothed belt drive"},
        {"btnRun", L"Run"},
        {"lblCopyright", L"\u00a9 2026 the ZEFRAN-DIVIZ developers\r\n    All rights reserved."},
    };
    EXPECT_EQ(windowText(m_form->hwnd()), L"ZEFRAN-DIVIZ program suite");
    for (const auto& [name, text] : english) {
        EXPECT_EQ(windowText(control(name)), text) << name;
    }
    EXPECT_EQ(m_form->hint(), u"");
    translation::LoadDictionary("");
}

TEST_F(LauncherWindowTest, MovedToAMonitorOfAnotherDpiItTakesTheSuggestedPlaceAndLaysOutAgain)
{
    HWND form = m_form->hwnd();
    const int start = m_form->dpi();
    const int other = start == 144 ? 192 : 144;
    // A click before the move: the kind chosen stays, and a kind button
    // recreated afterwards keeps the new font.
    SendMessageW(m_form->kindButton(2).hwnd(), BM_CLICK, 0, 0);

    // The system suggests the frame at the new DPI where the window lies.
    const launcher::WindowLayout at = launcher::launcherWindowLayout(other);
    RECT suggested{100, 50, 100 + at.clientWidth + 8, 50 + at.clientHeight + 30};
    SendMessageW(form, WM_DPICHANGED, MAKEWPARAM(other, other),
                 reinterpret_cast<LPARAM>(&suggested));
    RECT frame{};
    GetWindowRect(form, &frame);
    EXPECT_EQ(frame.left, 100);
    EXPECT_EQ(frame.top, 50);
    expectLaidOutFor(*m_form, other);
    expectPicturesDrawnAt(*m_form, other);
    EXPECT_EQ(checkedKinds(), std::vector<int>{2});
    m_form->kindButton(2).setWordWrap(false);
    EXPECT_EQ(fontOf(m_form->kindButton(2).hwnd()).lfHeight, -at.fontHeight);
    m_form->kindButton(2).setWordWrap(true);

    // And back: the window is as it was laid out at first.
    RECT back{200, 60, 200 + 400, 60 + 500};
    SendMessageW(form, WM_DPICHANGED, MAKEWPARAM(start, start), reinterpret_cast<LPARAM>(&back));
    GetWindowRect(form, &frame);
    EXPECT_EQ(frame.left, 200);
    EXPECT_EQ(frame.top, 60);
    expectLaidOutFor(*m_form, start);
    expectPicturesDrawnAt(*m_form, start);
}

// The window at the DPI of the display it starts on. tests/wine/ci.sh runs
// these a second time with the prefix's LogPixels at 144 (150 %) and
// DERIZE_EXPECTED_DPI=144; otherwise the display has 96 dpi and the window
// is exactly its design.
class LauncherWindowScale : public LauncherWindowTest
{
protected:
    static int expectedDpi()
    {
        const char* dpi = std::getenv("DERIZE_EXPECTED_DPI");
        return dpi != nullptr && *dpi != '\0' ? std::atoi(dpi) : 96;
    }
};

TEST_F(LauncherWindowScale, TheProcessIsPerMonitorDpiAwareThroughItsManifest)
{
    using GetContext = DPI_AWARENESS_CONTEXT(WINAPI*)();
    using GetAwareness = DPI_AWARENESS(WINAPI*)(DPI_AWARENESS_CONTEXT);
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    auto getContext = reinterpret_cast<GetContext>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetThreadDpiAwarenessContext")));
    auto getAwareness = reinterpret_cast<GetAwareness>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetAwarenessFromDpiAwarenessContext")));
    ASSERT_TRUE(getContext != nullptr && getAwareness != nullptr)
        << "the system has no per-monitor DPI awareness";
    EXPECT_EQ(getAwareness(getContext()), DPI_AWARENESS_PER_MONITOR_AWARE);
    EXPECT_EQ(launcher::win32::windowDpi(m_form->hwnd()), expectedDpi());
    EXPECT_EQ(launcher::win32::windowDpi(nullptr), expectedDpi());
}

// The window is where the layout at the display's DPI puts it; the layout's
// own numbers (the design itself at 96 dpi, at 144 dpi each edge times one
// and a half) are in tests/window/WindowLayoutTest.cpp.
TEST_F(LauncherWindowScale, TheWindowIsTheDesignScaledToTheDisplaysDpi)
{
    const int dpi = expectedDpi();
    expectLaidOutFor(*m_form, dpi);
    const launcher::WindowLayout layout = launcher::launcherWindowLayout(dpi);
    RECT frame{};
    GetWindowRect(m_form->hwnd(), &frame);
    EXPECT_EQ(frame.left, layout.left);
    EXPECT_EQ(frame.top, layout.top);
}

TEST_F(LauncherWindowScale, ThePicturesAreDrawnAtTheDisplaysDpi)
{
    expectPicturesDrawnAt(*m_form, expectedDpi());
}

TEST_F(LauncherWindowScale, EveryTextFitsItsControlInEitherLanguage)
{
    for (const char* language : {"RUS", "ENU"}) {
        SCOPED_TRACE(language);
        makeWindow(language);
        m_form->show();
        expectTextsFit(*m_form);
    }
}

TEST_F(LauncherWindowTest, ItsTranslatorLooksUpExactlyTheTextsTheCheckToolListsInItsOrder)
{
    std::vector<std::u16string> asked;
    translation::win32::Form form{m_form->hwnd(), m_form->hint()};
    translation::win32::TranslateForm(form, [&asked](std::u16string_view text) {
        asked.push_back(translation::toLineBreakMarks(std::u16string(text)));
        return std::u16string(text);
    });
    std::vector<std::u16string> listed;
    for (const launcher::LookedUpText& text : launcher::launcherWindowLookups()) {
        listed.push_back(text.text);
    }
    EXPECT_EQ(asked, listed);

    // Each control falls under the rule the list takes it to.
    for (HWND control : translation::win32::OwnedControls(m_form->hwnd())) {
        const int row = GetDlgCtrlID(control) - FormGears::FirstControlId;
        ASSERT_GE(row, 0);
        ASSERT_LT(row, static_cast<int>(LauncherControlDescriptions.size()));
        const launcher::ControlDescription& description =
            LauncherControlDescriptions[static_cast<std::size_t>(row)];
        EXPECT_EQ(translation::win32::ControlRule(control), translation::Rule::AnyOther)
            << description.name;
    }
}

TEST_F(LauncherWindowTest, ADictionaryOfEveryListedTextLeavesTheWindowShowingOnlyTargets)
{
    testsupport::TempDir dir;
    testsupport::loadBracketedDictionary(dir);
    makeWindow("RUS");
    m_form->show();

    using testsupport::isBracketed;
    const std::wstring caption = windowText(m_form->hwnd());
    EXPECT_TRUE(isBracketed(std::u16string(caption.begin(), caption.end())));
    EXPECT_EQ(m_form->hint(), u"[]");
    for (HWND control : translation::win32::OwnedControls(m_form->hwnd())) {
        for (const std::u16string& text :
             {translation::win32::GetCaption(control), translation::win32::GetHint(control)}) {
            EXPECT_TRUE(translation::IsBlank(text) || isBracketed(text))
                << GetDlgCtrlID(control) << " shows "
                << platform::toUtf8(std::wstring(text.begin(), text.end()));
        }
    }
    EXPECT_EQ(windowText(control("lblCopyright")),
              L"[" + toWide(LauncherControlDescriptions[0].text) + L"]");
    translation::LoadDictionary("");
}

TEST(LauncherWindowCreation, AWindowThatCannotBeCreatedSaysWhy)
{
    NoAnimation animation;
    FormGears form(GetModuleHandleW(nullptr), reinterpret_cast<HWND>(0x7fff0), "C:\\", &animation);
    std::string error;
    EXPECT_FALSE(form.create(error));
    EXPECT_EQ(error.rfind("cannot create the window: error 1400", 0), 0u) << error;
    EXPECT_EQ(form.hwnd(), nullptr);
}
