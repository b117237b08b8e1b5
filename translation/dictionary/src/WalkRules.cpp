#include "translation/WalkRules.h"

namespace translation {

bool IsBlank(std::u16string_view text)
{
    for (const char16_t c : text) {
        if (c != u'\0' && c != u' ') {
            return false;
        }
    }
    return true;
}

} // namespace translation
