#pragma once

#include "launcher/CalculationKinds.h"

#include <array>
#include <string_view>

namespace launcher {

// The launcher window as data: both windows create their controls from
// this table; the kind buttons' rows are made of the kind table.

struct ControlRect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool operator==(const ControlRect&) const = default;
};

enum class ControlClass
{
    Label,      // lblCopyright: sized to its text, shadowed, "&" marks
    Panel,      // inner bevel lowered
    Picture,    // AniImage: at its own size from the top-left, clipped
    GifPicture, // RxGIFAnimator1: stretched to its area
    GroupBox,
    KindButton, // TzrRadioButton
    PushButton,
};

struct ControlDescription
{
    std::string_view name;
    ControlClass controlClass;
    std::string_view parent; // empty: the window itself
    ControlRect rect;        // pixels, relative to the parent's client area
    std::string_view text;   // UTF-8; empty for none
    int tabOrder;            // among the parent's children; -1 when it has none
    bool tabStop;
    bool checked; // kind buttons: checked when the window is created
};

struct WindowDescription
{
    std::string_view name;
    std::string_view className;
    std::string_view caption; // UTF-8
    int left;                 // frame position on the screen
    int top;
    int clientWidth;
    int clientHeight;
    std::string_view fontFace;
    int fontPointSize;
};

// The application's title, which its owner window carries (on Linux, the
// application's name).
inline constexpr std::string_view ApplicationTitle = "DERIZE-Zizir";

extern const WindowDescription LauncherWindowDescription;

// In creation order: a parent always comes before its children. Six
// controls come before the kind buttons, one of each kind, and Run after
// them.
inline constexpr std::size_t LauncherControlCount = 6 + KindCount + 1;
extern const std::array<ControlDescription, LauncherControlCount> LauncherControlDescriptions;

// The control of that name, nullptr when there is none.
const ControlDescription* findControlDescription(std::string_view name);

// The maker's notice in Russian, as the window's label carries it (UTF-8):
// two lines joined by CR LF, the second indented by four spaces.
std::string_view russianCopyrightNotice();

// The maker's notice in English (UTF-8): two lines joined by a single CR,
// the second indented by three spaces.
std::string_view englishCopyrightNotice();

// True when the user's language, given by its abbreviated name ("RUS" for
// Russian, ASCII letters in any case), keeps the Russian notice. Any other
// name, the empty one included, asks for the English notice.
bool keepsRussianNotice(std::string_view languageAbbreviation);

} // namespace launcher
