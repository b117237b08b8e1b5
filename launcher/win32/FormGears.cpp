#include "FormGears.h"

#include "BevelPanel.h"
#include "GroupBox.h"
#include "Picture.h"
#include "PushButton.h"
#include "Resources.h"
#include "ShadowLabel.h"
#include "StartupTrace.h"
#include "TzrRadioButton.h"
#include "WindowDpi.h"
#include "launcher/CalculationKinds.h"
#include "launcher/ModuleRunner.h"
#include "launcher/window/WindowDescription.h"
#include "platform/WideText.h"
#include "translation/Dictionary.h"
#include "translation/win32/FormTranslator.h"

#include <commctrl.h>

namespace launcher::win32 {

namespace {

constexpr DWORD WindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
// Owned by the hidden owner window, the launcher window asks for the
// program's taskbar button itself.
constexpr DWORD WindowExStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;

// The font the window asks for: its face at its point size at the layout's
// DPI (8 pt is 11 pixels at 96 dpi), with the Cyrillic character set so
// that the Russian texts show whatever the system's ANSI code page.
HFONT createWindowFont(const WindowLayout& layout)
{
    const std::wstring face = platform::toWide(LauncherWindowDescription.fontFace);
    return CreateFontW(-layout.fontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, RUSSIAN_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, face.c_str());
}

} // namespace

FormGears::FormGears(HINSTANCE resources, HWND owner, std::string programDir,
                     platform::WindowAnimation* animation,
                     std::function<std::string()> languageSource)
    : m_instance(resources), m_owner(owner),
      m_window(*this, std::move(programDir), animation, std::move(languageSource))
{
}

FormGears::~FormGears()
{
    if (m_hwnd != nullptr && IsWindow(m_hwnd)) {
        DestroyWindow(m_hwnd);
    }
    m_controls = {};
    if (m_font != nullptr) {
        DeleteObject(m_font);
    }
}

bool FormGears::create(std::string& error)
{
    // The native controls of the system's current look (the manifest asks
    // for version 6 of the common controls).
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    DERIZE_STARTUP_MARK("common controls");

    m_smallIcon = static_cast<HICON>(
        LoadImageW(m_instance, MAKEINTRESOURCEW(DERIZE_ICON), IMAGE_ICON, 16, 16, LR_SHARED));
    m_largeIcon = static_cast<HICON>(
        LoadImageW(m_instance, MAKEINTRESOURCEW(DERIZE_ICON), IMAGE_ICON, 32, 32, LR_SHARED));

    WNDCLASSEXW windowClass = ownWindowClass(m_instance, ClassName, &FormGears::windowProc);
    windowClass.hIcon = m_largeIcon;
    windowClass.hIconSm = m_smallIcon;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    if (!registerClassOnce(windowClass)) {
        error = "cannot register the window class: " + platform::systemErrorText(GetLastError());
        return false;
    }

    // Laid out for the screen's DPI first, then for the DPI of the monitor
    // the window is on, where the system tells it.
    m_layout = launcherWindowLayout(windowDpi(nullptr));
    RECT frame{0, 0, m_layout.clientWidth, m_layout.clientHeight};
    AdjustWindowRectEx(&frame, WindowStyle, FALSE, WindowExStyle);
    const std::wstring caption = platform::toWide(LauncherWindowDescription.caption);
    m_hwnd = CreateWindowExW(WindowExStyle, ClassName, caption.c_str(), WindowStyle, m_layout.left,
                             m_layout.top, frame.right - frame.left, frame.bottom - frame.top,
                             m_owner, nullptr, m_instance, this);
    DERIZE_STARTUP_MARK("window made");
    if (m_hwnd == nullptr) {
        error = "cannot create the window: " + platform::systemErrorText(GetLastError());
        return false;
    }
    if (const int dpi = windowDpi(m_hwnd); dpi != m_layout.dpi) {
        m_layout = launcherWindowLayout(dpi);
    }
    placeFrame(m_layout.left, m_layout.top);
    // The icon of the title bar and the taskbar, also when the class was
    // registered by an earlier window.
    SendMessageW(m_hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_smallIcon));
    SendMessageW(m_hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_largeIcon));
    m_font = createWindowFont(m_layout);
    SendMessageW(m_hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
    DERIZE_STARTUP_MARK("window placed, font made");
    if (!createControls()) {
        error = "cannot create the window's controls: " + platform::systemErrorText(GetLastError());
        DestroyWindow(m_hwnd);
        m_hwnd = nullptr;
        return false;
    }
    m_window.FormCreate();
    return true;
}

bool FormGears::createControls()
{
    for (std::size_t row = 0; row < LauncherControlDescriptions.size(); ++row) {
        const ControlDescription& description = LauncherControlDescriptions[row];
        std::unique_ptr<NativeControl> made;
        switch (description.controlClass) {
        case ControlClass::Label: {
            auto label = std::make_unique<ShadowLabel>();
            m_label = label.get();
            made = std::move(label);
            break;
        }
        case ControlClass::Panel:
            made = std::make_unique<BevelPanel>();
            break;
        case ControlClass::Picture:
            made = std::make_unique<Picture>(DERIZE_ANI_IMAGE, PictureFit::OwnSize);
            break;
        case ControlClass::GifPicture:
            made = std::make_unique<Picture>(DERIZE_TRANSMISSION, PictureFit::Stretch);
            break;
        case ControlClass::GroupBox:
            made = std::make_unique<GroupBox>();
            break;
        case ControlClass::KindButton:
            made = std::make_unique<TzrRadioButton>();
            break;
        case ControlClass::PushButton: {
            auto button = std::make_unique<PushButton>();
            m_run = button.get();
            made = std::move(button);
            break;
        }
        }
        ControlPlacement placement;
        placement.instance = m_instance;
        placement.parent = description.parent.empty() ? m_hwnd : control(description.parent);
        placement.id = FirstControlId + static_cast<int>(row);
        placement.description = &description;
        placement.rect = m_layout.controls[row];
        placement.font = m_font;
        placement.dpi = m_layout.dpi;
        if (placement.parent == nullptr || !made->create(placement)) {
            return false;
        }
        m_controls[row] = std::move(made);
    }
    // Each kind's button is the one its row of the kind table names.
    for (std::size_t kind = 0; kind < KindCount; ++kind) {
        const std::string_view name = CalculationKinds[kind].buttonName;
        const ControlDescription* description = findControlDescription(name);
        if (description == nullptr || description->controlClass != ControlClass::KindButton) {
            return false;
        }
        m_kindButtons[kind] = static_cast<TzrRadioButton*>(controlObject(name));
    }
    return m_run != nullptr && m_label != nullptr;
}

// The frame at `left`, `top` around a client area of the layout's size,
// whatever the system's frame at the window's DPI measures.
void FormGears::placeFrame(int left, int top)
{
    RECT window{};
    RECT client{};
    GetWindowRect(m_hwnd, &window);
    GetClientRect(m_hwnd, &client);
    const int frameWidth = (window.right - window.left) - client.right;
    const int frameHeight = (window.bottom - window.top) - client.bottom;
    SetWindowPos(m_hwnd, nullptr, left, top, m_layout.clientWidth + frameWidth,
                 m_layout.clientHeight + frameHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The window was moved to a monitor of another DPI: it takes the place the
// system suggests, a client area of the new layout's size and the font at
// the new DPI, and every control its rectangle at that DPI.
void FormGears::dpiChanged(int dpi, const RECT& suggested)
{
    m_layout = launcherWindowLayout(dpi);
    SetWindowPos(m_hwnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    placeFrame(suggested.left, suggested.top);
    const HFONT previous = m_font;
    m_font = createWindowFont(m_layout);
    SendMessageW(m_hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
    for (std::size_t row = 0; row < m_controls.size(); ++row) {
        if (m_controls[row]) {
            m_controls[row]->relayout(m_layout.controls[row], m_font, m_layout.dpi);
        }
    }
    if (previous != nullptr) {
        DeleteObject(previous);
    }
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

NativeControl* FormGears::controlObject(std::string_view name) const
{
    const ControlDescription* description = findControlDescription(name);
    return description == nullptr
               ? nullptr
               : m_controls[static_cast<std::size_t>(description -
                                                     LauncherControlDescriptions.data())]
                     .get();
}

HWND FormGears::control(std::string_view name) const
{
    const NativeControl* object = controlObject(name);
    return object != nullptr ? object->hwnd() : nullptr;
}

TzrRadioButton& FormGears::kindButton(int kindIndex)
{
    return *m_kindButtons.at(static_cast<std::size_t>(kindIndex));
}

int FormGears::kindIndexOfControl(int id) const
{
    for (std::size_t kind = 0; kind < m_kindButtons.size(); ++kind) {
        if (GetDlgCtrlID(m_kindButtons[kind]->hwnd()) == id) {
            return static_cast<int>(kind);
        }
    }
    return -1;
}

void FormGears::FormShow()
{
    // The caption and the hint, then every control, through the dictionary.
    translation::win32::Form form{m_hwnd, m_hint};
    translation::win32::TranslateForm(
        form, [](std::u16string_view text) { return translation::TranslateText(text); });
    m_hint = std::move(form.hint);
    m_window.FormShow();
}

void FormGears::show()
{
    FormShow();
    DERIZE_STARTUP_MARK("translated");
    ShowWindow(m_hwnd, SW_SHOWNORMAL);
    DERIZE_STARTUP_MARK("shown");
    UpdateWindow(m_hwnd);
    DERIZE_STARTUP_MARK("painted");
}

int FormGears::runMessageLoop()
{
    m_inMessageLoop = true;
    show();
    MSG message;
    int status = 0;
    for (;;) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            status = static_cast<int>(message.wParam);
            break;
        }
        if (got == -1) {
            break;
        }
        if (!IsDialogMessageW(m_hwnd, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    m_inMessageLoop = false;
    return status;
}

std::optional<RunOutcome> FormGears::selectKindAndRun()
{
    return m_window.SelectKindAndRun();
}

void FormGears::runClicked()
{
    // A quit request found after the run is the module's, and is taken out
    // then; the user closing the window during the run ends the loop once
    // the run is over.
    m_running = true;
    m_window.btnRunClick();
    m_running = false;
    if (m_closedDuringRun) {
        m_closedDuringRun = false;
        PostQuitMessage(0);
    }
}

void FormGears::selectKind(int kindIndex)
{
    for (std::size_t kind = 0; kind < m_kindButtons.size(); ++kind) {
        if (static_cast<int>(kind) != kindIndex) {
            m_kindButtons[kind]->setChecked(false);
        }
    }
    m_kindButtons.at(static_cast<std::size_t>(kindIndex))->setChecked(true);
}

void FormGears::kindClicked(int kindIndex)
{
    if (!m_kindButtons[static_cast<std::size_t>(kindIndex)]->checked()) {
        selectKind(kindIndex);
    }
    m_window.rbGear_ExcClick();
}

int FormGears::checkedKind() const
{
    for (std::size_t kind = 0; kind < m_kindButtons.size(); ++kind) {
        // Asked of the native button itself.
        if (SendMessageW(m_kindButtons[kind]->hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED) {
            return static_cast<int>(kind);
        }
    }
    return -1;
}

void FormGears::checkKind(int kindIndex)
{
    selectKind(kindIndex);
    m_window.rbGear_ExcClick();
}

void FormGears::setRunEnabled(bool enabled)
{
    HWND run = m_run->hwnd();
    if (!enabled && GetFocus() == run) {
        // A disabled control loses the focus; it gets it back with Run, so
        // that the window's focus is never left to an outdated control
        // (which, being a kind button, would check itself on getting it).
        m_focus = run;
    }
    EnableWindow(run, enabled ? TRUE : FALSE);
    if (enabled && m_focus == run && GetFocus() == nullptr && GetActiveWindow() == m_hwnd) {
        SetFocus(run);
    }
}

void FormGears::setNotice(Notice notice)
{
    if (notice == Notice::English) {
        SetWindowTextW(m_label->hwnd(), platform::toWide(englishCopyrightNotice()).c_str());
    }
}

void FormGears::showNativeWindow()
{
    ShowWindow(m_hwnd, SW_SHOW);
}

void FormGears::bringToForeground()
{
    SetForegroundWindow(m_hwnd);
}

TrnWindowHandle FormGears::ownerHandle()
{
    return reinterpret_cast<TrnWindowHandle>(m_owner);
}

LRESULT CALLBACK FormGears::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* form = reinterpret_cast<FormGears*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (form == nullptr) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    form->m_hwnd = hwnd;
    return form->handle(message, wParam, lParam);
}

LRESULT FormGears::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && m_run != nullptr) {
            const int id = LOWORD(wParam);
            if (id == GetDlgCtrlID(m_run->hwnd())) {
                runClicked();
                return 0;
            }
            if (const int kindIndex = kindIndexOfControl(id); kindIndex >= 0) {
                kindClicked(kindIndex);
                return 0;
            }
        }
        return 0;
    case DM_GETDEFID:
        // Enter presses the Run button when it has the focus; the window
        // has no default button otherwise.
        if (m_run != nullptr && GetFocus() == m_run->hwnd()) {
            return MAKELRESULT(GetDlgCtrlID(m_run->hwnd()), DC_HASDEFID);
        }
        return 0;
    case WM_ACTIVATE:
        // As a dialog does: the focus leaves with the window and comes back
        // to where it was, at first to the first control in tab order.
        if (LOWORD(wParam) == WA_INACTIVE) {
            if (HWND focus = GetFocus(); focus != nullptr && IsChild(m_hwnd, focus)) {
                m_focus = focus;
            }
        } else {
            if (m_focus == nullptr || !IsWindow(m_focus) || !IsChild(m_hwnd, m_focus)) {
                m_focus = GetNextDlgTabItem(m_hwnd, nullptr, FALSE);
            }
            if (m_focus != nullptr) {
                SetFocus(m_focus);
            }
        }
        return 0;
    case WM_DPICHANGED:
        if (lParam != 0) {
            dpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        }
        return 0;
    case WM_CLOSE:
        DestroyWindow(m_hwnd);
        return 0;
    case WM_DESTROY:
        if (m_inMessageLoop && m_running) {
            m_closedDuringRun = true;
        } else if (m_inMessageLoop) {
            PostQuitMessage(0);
        }
        return 0;
    case WM_NCDESTROY: {
        const HWND hwnd = m_hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        m_hwnd = nullptr;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    default:
        return DefWindowProcW(m_hwnd, message, wParam, lParam);
    }
}

} // namespace launcher::win32
