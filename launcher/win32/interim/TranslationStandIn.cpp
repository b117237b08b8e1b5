// Stands in for the walker over the window's controls and the dictionary
// until both are built for Windows: nothing is translated.
#include "../TranslationHook.h"
#include "../interim/DictionaryStandIn.h"

namespace launcher::win32 {

void translateWindow(HWND, std::u16string&) {}

} // namespace launcher::win32

namespace translation {

bool LoadDictionary(const std::string&)
{
    return false;
}

} // namespace translation
