// Stands in for the walker over the window's controls until it is built
// for Windows: nothing is translated.
#include "../TranslationHook.h"

namespace launcher::win32 {

void translateWindow(HWND, std::u16string&) {}

} // namespace launcher::win32
