#include "launcher/window/WindowTexts.h"

#include "platform/Utf8.h"
#include "translation/DictionaryFormat.h"
#include "translation/WalkRules.h"

namespace launcher {

namespace {

// A control of the description as the translator's rules see it: a plain
// control (the last rule) with its caption and no hint. Each text the rules
// read is noted as the one that the lookup is asked for next.
class DescribedControl final : public translation::ControlTexts
{
public:
    DescribedControl(std::string_view name, std::string_view caption,
                     std::vector<LookedUpText>& texts)
        : m_name(name), m_caption(translation::toLineBreakMarks(platform::fromUtf8(caption))),
          m_texts(texts)
    {
    }

    bool is(translation::Rule) const override { return false; }
    std::u16string caption() const override
    {
        m_reading = TextRole::Caption;
        return m_caption;
    }
    std::u16string hint() const override
    {
        m_reading = TextRole::Hint;
        return {};
    }

    void lookUp(bool asWindow)
    {
        const translation::TextLookup note = [this](std::u16string_view text) {
            m_texts.push_back({m_name, m_reading, std::u16string(text)});
            return std::u16string(text);
        };
        if (asWindow) {
            translation::TranslateWindowTexts(*this, note);
        } else {
            translation::TranslateControl(*this, note);
        }
    }

private:
    std::string_view m_name;
    std::u16string m_caption;
    std::vector<LookedUpText>& m_texts;
    mutable TextRole m_reading = TextRole::Caption;
};

// The controls whose parent is `parent`, each followed by its own
// children, in creation order. The table lists every parent before its
// children, so the walk ends.
void visitChildren(std::string_view parent, std::vector<LookedUpText>& texts)
{
    for (const ControlDescription& control : LauncherControlDescriptions) {
        if (control.parent == parent) {
            DescribedControl(control.name, control.text, texts).lookUp(false);
            visitChildren(control.name, texts);
        }
    }
}

} // namespace

std::vector<LookedUpText> launcherWindowLookups()
{
    std::vector<LookedUpText> texts;
    DescribedControl(LauncherWindowDescription.name, LauncherWindowDescription.caption, texts)
        .lookUp(true);
    visitChildren("", texts);
    return texts;
}

} // namespace launcher
