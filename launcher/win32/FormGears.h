#pragma once

#include "launcher/CalculationKinds.h"
#include "launcher/window/LauncherView.h"
#include "launcher/window/LauncherWindow.h"
#include "launcher/window/WindowDescription.h"
#include "launcher/window/WindowLayout.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <windows.h>

namespace platform {
class WindowAnimation;
}

namespace launcher::win32 {

class NativeControl;
class PushButton;
class ShadowLabel;
class TzrRadioButton;

// The launcher window on Windows: the native window and its controls,
// created from the window's description, as a view of the shared behaviour.
class FormGears final : public LauncherView
{
public:
    static constexpr const wchar_t* ClassName = L"TFormGears";
    // Control identifiers: this base plus the control's row in the table,
    // clear of the dialog manager's IDOK and IDCANCEL.
    static constexpr int FirstControlId = 100;

    // `owner`: the application's owner window, whose handle modules get.
    // `resources`: the module holding the icon and the pictures.
    FormGears(HINSTANCE resources, HWND owner, std::string programDir,
              platform::WindowAnimation* animation = nullptr,
              std::function<std::string()> languageSource = {});
    ~FormGears() override;
    FormGears(const FormGears&) = delete;
    FormGears& operator=(const FormGears&) = delete;

    // Creates the window (hidden) and its controls, then runs FormCreate.
    // false, with the system's reason in `error`, when the system refuses.
    // The window is laid out for its monitor's DPI, and again whenever it
    // moves to a monitor of another (WM_DPICHANGED).
    bool create(std::string& error);

    // The DPI the window is laid out for.
    int dpi() const { return m_layout.dpi; }

    LauncherWindow& behaviour() { return m_window; }
    HWND hwnd() const { return m_hwnd; }
    // The control of that name in the table; nullptr when there is none.
    HWND control(std::string_view name) const;
    // The object of the control of that name; nullptr when there is none.
    NativeControl* controlObject(std::string_view name) const;
    TzrRadioButton& kindButton(int kindIndex);

    // The window's hint: a text the window keeps for translation, empty
    // unless a dictionary gives it one.
    const std::u16string& hint() const { return m_hint; }

    // The main loop's first showing: the show handler (translation, then
    // the notice), then the window on screen.
    void show();
    // Shows the window and dispatches messages, through the dialog
    // manager, until the window is closed.
    int runMessageLoop();
    // Start-up's automatic run: SelectKindAndRun.
    std::optional<RunOutcome> selectKindAndRun();

    // LauncherView
    int checkedKind() const override;
    void checkKind(int kindIndex) override;
    void setRunEnabled(bool enabled) override;
    void setNotice(Notice notice) override;
    void showNativeWindow() override;
    void bringToForeground() override;
    TrnWindowHandle ownerHandle() override;

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    bool createControls();
    void placeFrame(int left, int top);
    void dpiChanged(int dpi, const RECT& suggested);
    void FormShow();
    void selectKind(int kindIndex);
    void runClicked();
    void kindClicked(int kindIndex);
    int kindIndexOfControl(int id) const;

    HINSTANCE m_instance;
    HWND m_owner;
    LauncherWindow m_window;
    HWND m_hwnd = nullptr;
    WindowLayout m_layout;
    HFONT m_font = nullptr;
    HICON m_smallIcon = nullptr; // shared: the system keeps them
    HICON m_largeIcon = nullptr;
    std::u16string m_hint;
    std::array<std::unique_ptr<NativeControl>, LauncherControlDescriptions.size()> m_controls;
    std::array<TzrRadioButton*, KindCount> m_kindButtons{};
    PushButton* m_run = nullptr;
    ShadowLabel* m_label = nullptr;
    HWND m_focus = nullptr; // the control that has the focus while the window is active
    bool m_inMessageLoop = false;
    bool m_running = false;         // a module runs, started by Run
    bool m_closedDuringRun = false; // the window was closed meanwhile
};

} // namespace launcher::win32
