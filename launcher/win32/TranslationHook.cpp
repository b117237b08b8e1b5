#include "TranslationHook.h"

#include "translation/Dictionary.h"
#include "translation/win32/FormTranslator.h"

namespace launcher::win32 {

void translateWindow(HWND window, std::u16string& hint)
{
    translation::win32::Form form{window, hint};
    translation::win32::TranslateForm(
        form, [](std::u16string_view text) { return translation::TranslateText(text); });
    hint = std::move(form.hint);
}

} // namespace launcher::win32
