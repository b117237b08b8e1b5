#pragma once

#include <string>
#include <string_view>
#include <windows.h>

namespace translation::win32 {

// A control's class is its window class name. A class that the program
// registers as a superclass of another (its window procedure calls the
// base class's) counts as deriving from that base; the program says so
// here when it registers it, e.g. registerSuperclass(L"TzrRadioButton",
// L"Button"). Class names are compared without case, as Windows does.
// Registering a name again replaces its base; a registration that would
// make a class its own base is ignored.
void registerSuperclass(std::wstring_view superclass, std::wstring_view base);

// The window class name of `window`; empty when it is no window.
std::wstring windowClassName(HWND window);

// True when `className` is `base` or derives from it through registered
// superclasses.
bool classDerivesFrom(std::wstring_view className, std::wstring_view base);

// True when the class of `window` is `base` or derives from it.
bool derivesFrom(HWND window, std::wstring_view base);

} // namespace translation::win32
