#pragma once

#include "launcher/window/WindowDescription.h"

#include <string>
#include <string_view>
#include <vector>

namespace launcher {

// The texts of the launcher window that its translator puts through the
// dictionary each time the window is shown, worked out from the window's
// description by the translator's own rules, without any toolkit. The
// check tool lists them for translators; the tests of both windows check
// that their translators look up exactly these.

// Which of a component's texts was looked up.
enum class TextRole
{
    Caption,
    Hint,
};

struct LookedUpText
{
    std::string_view component; // a control's name, or the window's
    TextRole role;
    std::u16string text; // as it is looked up: each CR LF written as "||"

    bool operator==(const LookedUpText&) const = default;
};

// The window's caption and hint, both looked up even when blank (the
// window has no hint: an empty text), then for each control, by the
// translator's last rule (translation::Rule::AnyOther: every control of the
// window is a plain one, which the tests of both windows check), in the order
// the walk visits them (the order the controls were created in, each
// parent before its children) its caption and its hint, each unless blank.
// No control of the description has a hint. The copyright label is looked
// up with the notice it is created with; the English notice that a user's
// language puts there afterwards is never looked up.
std::vector<LookedUpText> launcherWindowLookups();

} // namespace launcher
