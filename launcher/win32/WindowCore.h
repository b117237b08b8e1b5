#pragma once

// What the Win32 window takes from the toolkit-free window library: the
// native style rule of the kind buttons and the English notice. Gathered
// here so that the window's classes name them in one place.

#include "launcher/window/ControlTable.h"
#include "launcher/window/LauncherView.h"
#include "launcher/window/LauncherWindow.h"

#include <cstdint>
#include <string_view>

namespace launcher::win32 {

enum class HorizontalAlignment
{
    taLeftJustify,
    taRightJustify,
    taCenter,
};

enum class VerticalAlignment
{
    vaTopJustify,
    vaCenter,
    vaBottomJustify,
};

enum class ButtonStyle
{
    vsNormal,
    vsFlat,
    vsPushButton,
};

// The style bits of a kind button created from `baseStyle`.
std::uint32_t kindButtonStyle(std::uint32_t baseStyle, HorizontalAlignment horizontal,
                              VerticalAlignment vertical, bool wordWrap, ButtonStyle style);

// The maker's notice in English (UTF-8): two lines joined by a single CR.
std::string_view englishNotice();

} // namespace launcher::win32
