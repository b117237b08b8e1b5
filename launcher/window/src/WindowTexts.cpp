#include "launcher/window/WindowTexts.h"

#include "translation/DictionaryFormat.h"
#include "translation/Utf8.h"
#include "translation/WalkRules.h"

namespace launcher {

namespace {

std::u16string lookedUpForm(std::string_view utf8)
{
    return translation::toLineBreakMarks(translation::fromUtf8(utf8));
}

// The controls whose parent is `parent`, each followed by its own
// children, in creation order. The table lists every parent before its
// children, so the walk ends.
void visitChildren(std::string_view parent, std::vector<LookedUpText>& texts)
{
    for (const ControlDescription& control : LauncherControlDescriptions) {
        if (control.parent != parent) {
            continue;
        }
        // Rule 11 (translationRuleFor): the caption, then the hint, each
        // unless blank; no control of the description has a hint.
        std::u16string caption = lookedUpForm(control.text);
        if (!translation::IsBlank(caption)) {
            texts.push_back({control.name, TextRole::Caption, std::move(caption)});
        }
        visitChildren(control.name, texts);
    }
}

} // namespace

int translationRuleFor(ControlClass controlClass)
{
    switch (controlClass) {
    case ControlClass::Label:
    case ControlClass::Panel:
    case ControlClass::Picture:
    case ControlClass::GifPicture:
    case ControlClass::GroupBox:
    case ControlClass::KindButton:
    case ControlClass::PushButton:
        return 11;
    }
    return 11;
}

std::vector<LookedUpText> launcherWindowLookups()
{
    std::vector<LookedUpText> texts;
    texts.push_back({LauncherWindowDescription.name, TextRole::Caption,
                     lookedUpForm(LauncherWindowDescription.caption)});
    texts.push_back({LauncherWindowDescription.name, TextRole::Hint, u""});
    visitChildren("", texts);
    return texts;
}

} // namespace launcher
