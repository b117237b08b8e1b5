#include "launcher/window/WindowDescription.h"

#include "NoticeTexts.h"
#include "launcher/CalculationKinds.h"
#include "platform/AsciiCase.h"

namespace launcher {

const WindowDescription LauncherWindowDescription{
    .name = "FormGears",
    .className = "TFormGears",
    .caption = "Комплекс программ ЗЕФРАН-DIVIZ",
    .left = 424,
    .top = 227,
    .clientWidth = 367,
    .clientHeight = 430,
    .fontFace = "MS Sans Serif",
    .fontPointSize = 8,
};

namespace {

// The button of kind `index` in the group box at `rect`: its name and text
// are the kind table's, its tab order the kind index; the first is checked
// and is the group's tab stop.
constexpr ControlDescription kindButton(std::size_t index, ControlRect rect)
{
    const CalculationKind& kind = CalculationKinds[index];
    return {kind.buttonName, ControlClass::KindButton, "GroupBox1", rect,
            kind.caption,    static_cast<int>(index),  index == 0,  index == 0};
}

} // namespace

// Each row: name, class, parent (empty: the window), left, top, width,
// height; text, tab order, tab stop, checked.
// clang-format off
const std::array<ControlDescription, 15> LauncherControlDescriptions{{
    {"lblCopyright", ControlClass::Label, "", {161, 122, 189, 26},
     notices::Russian, -1, false, false},
    {"Panel2", ControlClass::Panel, "", {157, 10, 196, 103},
     "", 0, false, false},
    {"AniImage", ControlClass::Picture, "Panel2", {2, 2, 192, 99},
     "", -1, false, false},
    {"Panel1", ControlClass::Panel, "", {10, 10, 143, 134},
     "", 1, false, false},
    {"RxGIFAnimator1", ControlClass::GifPicture, "Panel1", {2, 2, 139, 130},
     "", -1, false, false},
    {"GroupBox1", ControlClass::GroupBox, "", {12, 152, 341, 238},
     "Типы расчетов", 2, false, false},
    kindButton(0, {9, 24, 320, 19}),
    kindButton(1, {9, 51, 316, 20}),
    kindButton(2, {9, 78, 316, 17}),
    kindButton(3, {9, 105, 316, 17}),
    kindButton(4, {9, 132, 316, 17}),
    kindButton(5, {9, 159, 316, 17}),
    kindButton(6, {9, 186, 316, 17}),
    kindButton(7, {9, 212, 316, 17}),
    {"btnRun", ControlClass::PushButton, "", {91, 399, 186, 25},
     "Выполнить", 3, true, false},
}};
// clang-format on

const ControlDescription* findControlDescription(std::string_view name)
{
    for (const ControlDescription& control : LauncherControlDescriptions) {
        if (control.name == name) {
            return &control;
        }
    }
    return nullptr;
}

std::string_view russianCopyrightNotice()
{
    return notices::Russian;
}

std::string_view englishCopyrightNotice()
{
    return notices::English;
}

bool keepsRussianNotice(std::string_view languageAbbreviation)
{
    return platform::asciiUpper(languageAbbreviation) == "RUS";
}

} // namespace launcher
