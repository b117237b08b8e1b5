#pragma once

#include "translation/qt/FormTranslator.h"

#include <QObjectList>
#include <span>

namespace translation::qt {

// One kind of control the window translator recognises and the texts it
// carries.
struct TranslationRule
{
    // What kind of control this is, for messages.
    const char* kind;
    // True for the rule's class and every class derived from it.
    bool (*applies)(const QObject* component);
    void (*translate)(QObject* component, const TextLookup& lookup);
    // The objects to look at below the component when walking a window;
    // null to look at all its children.
    QObjectList (*inner)(const QObject* component);
};

// The rules in the order they are tried; the first that applies wins and
// the last applies to everything.
std::span<const TranslationRule> TranslationRules();

// Position (from 1) in TranslationRules() of the rule that applies.
int RuleNumberFor(const QObject* component);

} // namespace translation::qt
