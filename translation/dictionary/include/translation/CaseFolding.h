#pragma once

#include "translation/FoldBuffer.h"

#include <string_view>

namespace translation {

// Unicode's simple case folding (CaseFolding.txt, statuses C and S), one
// table for every platform, generated at build time. Folding never leaves
// the plane of the code point, so a folded text has as many UTF-16 units as
// the text itself.
char32_t foldCodePoint(char32_t codePoint);

// foldCodePoint() of a unit outside the surrogates; a surrogate stays.
char16_t foldUnit(char16_t unit);

// Replaces `out` with `text` folded code point by code point (Ё and ё,
// Ї and ї, ẞ and ß fold alike; ß stays one letter). A NUL or an unpaired
// surrogate is kept as it is.
void caseFold(std::u16string_view text, FoldBuffer& out);

// Whether caseFold() of `text` is `folded`; stops at the first difference.
bool equalFolded(std::u16string_view text, const FoldBuffer& folded);

} // namespace translation
