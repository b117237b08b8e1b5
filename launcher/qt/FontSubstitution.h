#pragma once

namespace launcher {

// Maps the window's font family, "MS Sans Serif", onto a sans-serif face
// of similar width that the system has (Liberation Sans on Debian). Safe
// to call more than once; must run before the window is created.
void installFontSubstitutions();

} // namespace launcher
