#include "launcher/window/WindowLayout.h"

#include <cstdint>

namespace launcher {

namespace {

// value * numerator / denominator, rounded to the nearest integer with
// halves away from zero, as the system's MulDiv does.
int mulDivRounded(int value, int numerator, int denominator)
{
    const std::int64_t product = std::int64_t{value} * numerator;
    const std::int64_t half = denominator / 2;
    const std::int64_t rounded =
        product >= 0 ? (product + half) / denominator : -((-product + half) / denominator);
    return static_cast<int>(rounded);
}

ControlRect scaleRect(const ControlRect& design, int dpi)
{
    const int left = scaleFromDesign(design.left, dpi);
    const int top = scaleFromDesign(design.top, dpi);
    const int right = scaleFromDesign(design.left + design.width, dpi);
    const int bottom = scaleFromDesign(design.top + design.height, dpi);
    return ControlRect{left, top, right - left, bottom - top};
}

constexpr int PointsPerInch = 72;

} // namespace

int scaleFromDesign(int value, int dpi)
{
    return mulDivRounded(value, dpi, DesignDpi);
}

WindowLayout launcherWindowLayout(int dpi)
{
    if (dpi <= 0) {
        dpi = DesignDpi;
    }
    const WindowDescription& window = LauncherWindowDescription;
    WindowLayout layout;
    layout.dpi = dpi;
    layout.left = scaleFromDesign(window.left, dpi);
    layout.top = scaleFromDesign(window.top, dpi);
    layout.clientWidth = scaleFromDesign(window.clientWidth, dpi);
    layout.clientHeight = scaleFromDesign(window.clientHeight, dpi);
    layout.fontHeight = mulDivRounded(window.fontPointSize, dpi, PointsPerInch);
    for (std::size_t row = 0; row < LauncherControlDescriptions.size(); ++row) {
        layout.controls[row] = scaleRect(LauncherControlDescriptions[row].rect, dpi);
    }
    return layout;
}

} // namespace launcher
