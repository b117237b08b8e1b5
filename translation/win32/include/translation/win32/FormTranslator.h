#pragma once

#include "translation/WalkRules.h"

#include <string>
#include <string_view>
#include <vector>
#include <windows.h>

namespace translation::win32 {

// A window as the translator sees it. A native window has a caption but no
// hint of its own, so the window's hint is kept here, beside its handle.
struct Form
{
    HWND window = nullptr;
    std::u16string hint;
};

// Puts the window's caption and `form.hint` through `lookup` (both looked up
// even when blank), then the texts of every control the window owns (see
// OwnedControls), each by the translator's rules (translation/WalkRules.h),
// through TranslateText() when no lookup is given. Called each time the
// window is about to be shown.
void TranslateForm(Form& form, const TextLookup& lookup = {});

// Translates the texts that the control's kind carries, by the first rule
// that fits its window class.
void TranslateComponent(HWND control, const TextLookup& lookup = {});

// The translator's rule for the control: the first whose window class (see
// WindowClasses.h) is the control's or one it derives from. The kinds that
// no native control has (folder-name edit, data grids, radio group, tab
// set) never fit.
Rule ControlRule(HWND control);

// The controls of the window that get translated: its child windows in the
// order EnumChildWindows gives them (each parent before its children, and
// siblings in creation order unless SetWindowPos restacked them), each once.
// The windows that a control makes for itself (a list view's header, a
// combo box's edit, the fields of an IP address control) are left out:
// nothing below a control whose rule translates it as a whole is visited.
std::vector<HWND> OwnedControls(HWND window);

// The control's caption: its window text, except for the kinds whose window
// text is what the user typed or picked (edits, rich edits, combo boxes and
// the like), which have no caption: it reads as empty and is never written.
std::u16string GetCaption(HWND control);

// The control's hint: the text of the tool for the control's whole window
// in a tooltip control that belongs to the control's top-level window
// (one created with that window, or one of its controls, as its owner).
// Empty when there is no such tool (and then a new hint is not written). A
// text too long for the tooltip control to hand over in full reads as empty,
// so it is never cut short.
std::u16string GetHint(HWND control);

} // namespace translation::win32
