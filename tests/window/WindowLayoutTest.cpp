// The window's layout at other scales than its 96-dpi design: what both
// windows would place their controls by, checked without a window.
#include "launcher/window/WindowLayout.h"

#include <cmath>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace launcher {

void PrintTo(const ControlRect& rect, std::ostream* out)
{
    *out << '(' << rect.left << ", " << rect.top << ", " << rect.width << ", " << rect.height
         << ')';
}

} // namespace launcher

namespace {

using launcher::ControlRect;
using launcher::LauncherControlDescriptions;
using launcher::launcherWindowLayout;
using launcher::WindowLayout;

constexpr int Scales[] = {96, 120, 144, 192};

bool overlap(const ControlRect& a, const ControlRect& b)
{
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

bool inside(const ControlRect& child, int parentWidth, int parentHeight)
{
    return child.left >= 0 && child.top >= 0 && child.left + child.width <= parentWidth &&
           child.top + child.height <= parentHeight;
}

std::size_t rowOf(std::string_view name)
{
    return static_cast<std::size_t>(launcher::findControlDescription(name) -
                                    LauncherControlDescriptions.data());
}

TEST(WindowLayout, At96DpiIsTheDesignItself)
{
    const WindowLayout layout = launcherWindowLayout(96);
    EXPECT_EQ(layout.dpi, 96);
    EXPECT_EQ(layout.left, 424);
    EXPECT_EQ(layout.top, 227);
    EXPECT_EQ(layout.clientWidth, 367);
    EXPECT_EQ(layout.clientHeight, 430);
    EXPECT_EQ(layout.fontHeight, 11) << "8 pt at 96 dpi";
    for (std::size_t row = 0; row < LauncherControlDescriptions.size(); ++row) {
        EXPECT_EQ(layout.controls[row], LauncherControlDescriptions[row].rect)
            << LauncherControlDescriptions[row].name;
    }
}

TEST(WindowLayout, At144DpiEveryEdgeIsTheDesignsTimesOneAndAHalfRoundedOnce)
{
    const WindowLayout layout = launcherWindowLayout(144);
    EXPECT_EQ(layout.clientWidth, 551) << "367 * 1.5 = 550.5";
    EXPECT_EQ(layout.clientHeight, 645);
    EXPECT_EQ(layout.left, 636);
    EXPECT_EQ(layout.top, 341) << "227 * 1.5 = 340.5";
    EXPECT_EQ(layout.fontHeight, 16);
    // Where an edge and a size both end in a half, rounding the size on its
    // own would give another rectangle: rbGear_Stb's top 105 and height 17
    // give 157.5 and 25.5, and its bottom 183 makes the height 25, not 26.
    const std::pair<const char*, ControlRect> expected[] = {
        {"btnRun", {137, 599, 279, 37}},       // 136.5, 598.5; right 415.5, bottom 636
        {"rbGear_Exc", {14, 36, 480, 29}},     // 13.5, 36; right 493.5, bottom 64.5
        {"rbGear_Stb", {14, 158, 474, 25}},    // right 487.5, bottom 183
        {"AniImage", {3, 3, 288, 149}},        // right 291, bottom 151.5
        {"GroupBox1", {18, 228, 512, 357}},    // right 529.5, bottom 585
        {"lblCopyright", {242, 183, 283, 39}}, // 241.5, 183; right 525, bottom 222
    };
    for (const auto& [name, rect] : expected) {
        EXPECT_EQ(layout.controls[rowOf(name)], rect) << name;
    }
}

// At each scale: the font is 8 pt, the client area the design's times the
// scale, every edge lies within half a pixel of its exact place (so no gap
// between neighbours drifts by a pixel or more), and no two siblings
// overlap, nor a child leaves its parent, unless they did so at 96 dpi.
TEST(WindowLayout, AtEachScaleEdgesStayWithinHalfAPixelAndNeighboursKeepApart)
{
    const WindowLayout design = launcherWindowLayout(96);
    for (const int dpi : Scales) {
        SCOPED_TRACE(std::to_string(dpi) + " dpi");
        const double scale = dpi / 96.0;
        const WindowLayout layout = launcherWindowLayout(dpi);
        EXPECT_EQ(layout.clientWidth, std::lround(367 * scale));
        EXPECT_EQ(layout.clientHeight, std::lround(430 * scale));
        EXPECT_EQ(layout.fontHeight, std::lround(8 * dpi / 72.0)) << "11, 13, 16, 21 pixels";

        for (std::size_t row = 0; row < LauncherControlDescriptions.size(); ++row) {
            const auto& description = LauncherControlDescriptions[row];
            SCOPED_TRACE(std::string(description.name));
            const ControlRect& from = description.rect;
            const ControlRect& to = layout.controls[row];
            EXPECT_LE(std::abs(to.left - from.left * scale), 0.5);
            EXPECT_LE(std::abs(to.top - from.top * scale), 0.5);
            EXPECT_LE(std::abs(to.left + to.width - (from.left + from.width) * scale), 0.5);
            EXPECT_LE(std::abs(to.top + to.height - (from.top + from.height) * scale), 0.5);

            int parentWidth = layout.clientWidth;
            int parentHeight = layout.clientHeight;
            int designWidth = design.clientWidth;
            int designHeight = design.clientHeight;
            if (!description.parent.empty()) {
                const std::size_t parent = rowOf(description.parent);
                parentWidth = layout.controls[parent].width;
                parentHeight = layout.controls[parent].height;
                designWidth = design.controls[parent].width;
                designHeight = design.controls[parent].height;
            }
            EXPECT_EQ(inside(to, parentWidth, parentHeight),
                      inside(from, designWidth, designHeight));

            for (std::size_t other = row + 1; other < LauncherControlDescriptions.size(); ++other) {
                if (LauncherControlDescriptions[other].parent != description.parent) {
                    continue;
                }
                EXPECT_EQ(overlap(to, layout.controls[other]),
                          overlap(from, LauncherControlDescriptions[other].rect))
                    << "and " << LauncherControlDescriptions[other].name;
            }
        }
    }
}

TEST(WindowLayout, ADpiTheSystemCouldNotTellGivesTheDesign)
{
    for (const int dpi : {0, -1, -144}) {
        const WindowLayout layout = launcherWindowLayout(dpi);
        EXPECT_EQ(layout.dpi, 96) << dpi;
        EXPECT_EQ(layout.clientWidth, 367) << dpi;
        EXPECT_EQ(layout.controls[rowOf("btnRun")], (ControlRect{91, 399, 186, 25})) << dpi;
    }
    EXPECT_EQ(launcher::scaleFromDesign(-3, 144), -5) << "halves away from zero";
    EXPECT_EQ(launcher::scaleFromDesign(193, 144), 290) << "289.5";
}

} // namespace
