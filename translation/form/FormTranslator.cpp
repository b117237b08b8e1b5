#include "translation/FormTranslator.h"

namespace translation {

void TranslateForm(QWidget*) {}

} // namespace translation
