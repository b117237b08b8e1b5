#pragma once

#include <string_view>

namespace translation {

// What every walk over a window's controls decides alike, whatever toolkit
// draws the window (translation/qt, translation/win32) and wherever the
// window's texts are listed without one (the check tool's list of the
// texts the launcher window looks up).

// Empty, or made of NUL and space characters only. A control's caption
// and hint that are blank are not looked up; a window's own caption and
// hint, and the texts of a list, are looked up even when blank.
bool IsBlank(std::u16string_view text);

} // namespace translation
