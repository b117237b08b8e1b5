#pragma once

#include <trn_module.h>

namespace launcher {

// Which copyright notice the window's label carries.
enum class Notice
{
    Russian, // the notice of the window's description, as translated
    English, // the maker's notice in English, never translated
};

// What the launcher's behaviour needs of a window, whatever draws it: the
// Qt window on Linux, the Win32 window on Windows, a fake in the tests.
class LauncherView
{
public:
    virtual ~LauncherView() = default;

    // Kind index (0 to 7) of the checked kind button, -1 when none is.
    virtual int checkedKind() const = 0;

    // Checks the kind button of `kindIndex` as a click would: unchecks the
    // others, gives it the tab stop and runs the buttons' click handler
    // (LauncherWindow::rbGear_ExcClick). Only called for an unchecked
    // button of a valid index.
    virtual void checkKind(int kindIndex) = 0;

    virtual void setRunEnabled(bool enabled) = 0;

    // Puts the English notice on the label (Notice::English); for
    // Notice::Russian the label keeps what it has.
    virtual void setNotice(Notice notice) = 0;

    // Shows the native window (creating it if need be) without running the
    // window's show handler: the bring-forward step, not a first showing.
    virtual void showNativeWindow() = 0;

    // Makes the window the foreground window.
    virtual void bringToForeground() = 0;

    // The handle handed to every module as its windows' owner.
    virtual TrnWindowHandle ownerHandle() = 0;
};

} // namespace launcher
