#pragma once

#include "translation/WalkRules.h"

#include <windows.h>

namespace translation::win32 {

// A native control's texts as the translator's rules
// (translation/WalkRules.h) read and write them. Its kind is its window
// class or a class registered as its superclass (WindowClasses.h); the
// kinds that no native control has (folder-name edit, data grids, radio
// group, tab set) never fit.
class WindowControl final : public ControlTexts
{
public:
    explicit WindowControl(HWND control);

    bool is(Rule rule) const override;
    std::u16string caption() const override;
    void setCaption(std::u16string_view text) override;
    std::u16string hint() const override;
    void setHint(std::u16string_view text) override;
    int count(TextList list, int column) const override;
    std::optional<std::u16string> item(TextList list, int column, int index) const override;
    void setItem(TextList list, int column, int index, std::u16string_view text) override;
    int selected() const override;
    void select(int index) override;
    std::optional<std::u16string> editText() const override;
    void setEditText(std::u16string_view text) override;
    std::vector<std::u16string> lines() const override;
    void setLines(std::u16string_view text) override;

    Rule rule() const { return m_rule; }
    // True when the control's child windows are parts it made for itself,
    // which the walk over a window does not visit.
    bool ownsItsChildren() const;

private:
    HWND m_control;
    Rule m_rule;
};

} // namespace translation::win32
