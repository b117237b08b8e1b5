#pragma once

#include "launcher/window/WindowDescription.h"

#include <array>

namespace launcher {

// The window's description is its design at 96 pixels per inch; on a
// display of another DPI everything is scaled by DPI / 96 from it.
inline constexpr int DesignDpi = 96;

// A position or length of the 96-dpi design at `dpi`, rounded to the
// nearest pixel (halves away from zero).
int scaleFromDesign(int value, int dpi);

// The launcher window at one DPI, in pixels.
struct WindowLayout
{
    int dpi = DesignDpi;
    int left = 0; // frame position on the screen
    int top = 0;
    int clientWidth = 0;
    int clientHeight = 0;
    // The font's character height in pixels (a LOGFONT's height is its
    // negative): the description's point size at this DPI.
    int fontHeight = 0;
    // By the rows of LauncherControlDescriptions, relative to the parent's
    // client area.
    std::array<ControlRect, LauncherControlDescriptions.size()> controls{};
};

// The window's layout at `dpi`. Each edge is rounded once: a rectangle's
// left and right edges are scaled and rounded and its width is their
// difference (likewise top, bottom and height), so neighbours keep the
// distance the design gives them, within a pixel, however many lie in a
// row. A DPI the system could not tell (0 or less) gives the design itself.
WindowLayout launcherWindowLayout(int dpi);

} // namespace launcher
