#include "launcher/window/WindowDescription.h"

#include "NoticeTexts.h"

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
    {"rbGear_Exc", ControlClass::KindButton, "GroupBox1", {9, 24, 320, 19},
     "Цилиндрическая передача внешнего зацепления", 0, true, true},
    {"rbGear_Inc", ControlClass::KindButton, "GroupBox1", {9, 51, 316, 20},
     "Цилиндрическая передача внутреннего зацепления", 1, false, false},
    {"rbGear_Spb", ControlClass::KindButton, "GroupBox1", {9, 78, 316, 17},
     "Коническая передача с круговыми зубьями", 2, false, false},
    {"rbGear_Stb", ControlClass::KindButton, "GroupBox1", {9, 105, 316, 17},
     "Коническая передача с прямыми зубьями", 3, false, false},
    {"rbWorm_Cyl", ControlClass::KindButton, "GroupBox1", {9, 132, 316, 17},
     "Червячная цилиндрическая передача", 4, false, false},
    {"rbChai_Rol", ControlClass::KindButton, "GroupBox1", {9, 159, 316, 17},
     "Роликовая цепная передача", 5, false, false},
    {"rbBelt_Vee", ControlClass::KindButton, "GroupBox1", {9, 186, 316, 17},
     "Клиноременная передача", 6, false, false},
    {"rbToothedBelt", ControlClass::KindButton, "GroupBox1", {9, 212, 316, 17},
     "Зубчато-ременная передача", 7, false, false},
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

} // namespace launcher
