#pragma once

#include "translation/WalkRules.h"

class QObject;

namespace translation::qt {

// A Qt control's texts as the translator's rules (translation/WalkRules.h)
// read and write them: Qt's own list views, tab widgets, combo boxes,
// memos and tab bars, and the controls that name an interface of
// translation/qt/ControlTexts.h in Q_INTERFACES. A derived class is of its
// base's kind.
class QtControl final : public ControlTexts
{
public:
    explicit QtControl(QObject* component);

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
    std::u16string_view lineBreak() const override { return u"\n"; }
    void setLines(std::u16string_view text) override;

    Rule rule() const { return m_rule; }

private:
    QObject* m_component;
    Rule m_rule;
};

} // namespace translation::qt
