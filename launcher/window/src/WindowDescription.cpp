#include "launcher/window/WindowDescription.h"

#include "NoticeTexts.h"
#include "launcher/CalculationKinds.h"
#include "platform/AsciiCase.h"

namespace launcher {

namespace {

// The kind buttons' rectangles in the group box, from the kind table.
constexpr std::array<ControlRect, KindCount> KindButtonRects{{
#define DERIZE_KIND(button, extension, library, entry, form, caption, dataType, left, top, width,  \
                    height)                                                                        \
    {left, top, width, height},
#include "launcher/CalculationKinds.def"
#undef DERIZE_KIND
}};

// The group box ends 9 pixels below the last kind button, Run stands 9
// pixels below the box and the window ends 6 pixels below Run: the window
// grows with the kind table.
constexpr int GroupBoxTop = 152;
constexpr int GroupBoxHeight = KindButtonRects.back().top + KindButtonRects.back().height + 9;
constexpr ControlRect RunRect{91, GroupBoxTop + GroupBoxHeight + 9, 186, 25};

// Each row: name, class, parent (empty: the window), left, top, width,
// height; text, tab order, tab stop, checked.
// clang-format off
constexpr std::array<ControlDescription, 6> ControlsBeforeKinds{{
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
    {"GroupBox1", ControlClass::GroupBox, "", {12, GroupBoxTop, 341, GroupBoxHeight},
     "Типы расчетов", 2, false, false},
}};
constexpr ControlDescription RunButton{"btnRun", ControlClass::PushButton, "", RunRect,
                                       "Выполнить", 3, true, false};
// clang-format on

// The rows in creation order: the kind buttons between the group box and
// Run. A kind button's name and text are the kind table's, its tab order
// the kind index; the first is checked and is the group's tab stop.
constexpr std::array<ControlDescription, LauncherControlCount> launcherControls()
{
    static_assert(ControlsBeforeKinds.size() + KindCount + 1 == LauncherControlCount);
    std::array<ControlDescription, LauncherControlCount> rows{};
    std::size_t row = 0;
    for (const ControlDescription& control : ControlsBeforeKinds) {
        rows[row++] = control;
    }
    for (std::size_t index = 0; index < KindCount; ++index) {
        const CalculationKind& kind = CalculationKinds[index];
        rows[row++] = {
            kind.buttonName, ControlClass::KindButton, "GroupBox1", KindButtonRects[index],
            kind.caption,    static_cast<int>(index),  index == 0,  index == 0};
    }
    rows[row] = RunButton;
    return rows;
}

} // namespace

const WindowDescription LauncherWindowDescription{
    .name = "FormGears",
    .className = "TFormGears",
    .caption = "Комплекс программ ЗЕФРАН-DIVIZ",
    .left = 424,
    .top = 227,
    .clientWidth = 367,
    .clientHeight = RunRect.top + RunRect.height + 6,
    .fontFace = "MS Sans Serif",
    .fontPointSize = 8,
};

const std::array<ControlDescription, LauncherControlCount> LauncherControlDescriptions =
    launcherControls();

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
