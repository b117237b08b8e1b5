#pragma once

#include "translation/win32/FormTranslator.h"

#include <span>
#include <windows.h>

namespace translation::win32 {

// One kind of control the window translator recognises and the texts it
// carries.
struct TranslationRule
{
    // What kind of control this is, for messages.
    const char* kind;
    // True for the rule's window class and every class registered as its
    // superclass (see WindowClasses.h). Null for the kinds that no native
    // Win32 control has: the rule keeps its place and never fits.
    bool (*fits)(HWND control);
    void (*translate)(HWND control, const TextLookup& lookup);
    // True when the control's child windows are parts it made for itself,
    // which the walk over a window does not visit.
    bool (*ownsItsChildren)(HWND control);
};

// The rules in the order they are tried; the first that fits wins and the
// last fits everything.
std::span<const TranslationRule> TranslationRules();

// Position (from 1) in TranslationRules() of the rule that fits.
int RuleNumberFor(HWND control);

} // namespace translation::win32
