#pragma once

class QWidget;

namespace translation {

// Puts the window's own texts and the texts of every control it owns
// through TranslateText().
void TranslateForm(QWidget* window);

} // namespace translation
