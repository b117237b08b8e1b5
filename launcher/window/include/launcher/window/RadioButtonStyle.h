#pragma once

#include <cstdint>

namespace launcher {

// The native button style bits a TzrRadioButton carries. The names are
// those of the Windows BS_* constants without the prefix, in a namespace of
// their own so that they never meet the macros of <windows.h>.
namespace ButtonStyle {
inline constexpr std::uint32_t RadioButton = 0x0004; // BS_RADIOBUTTON
inline constexpr std::uint32_t Left = 0x0100;        // BS_LEFT
inline constexpr std::uint32_t Right = 0x0200;       // BS_RIGHT
inline constexpr std::uint32_t Center = 0x0300;      // BS_CENTER
inline constexpr std::uint32_t Top = 0x0400;         // BS_TOP
inline constexpr std::uint32_t Bottom = 0x0800;      // BS_BOTTOM
inline constexpr std::uint32_t VCenter = 0x0C00;     // BS_VCENTER
inline constexpr std::uint32_t PushLike = 0x1000;    // BS_PUSHLIKE
inline constexpr std::uint32_t MultiLine = 0x2000;   // BS_MULTILINE
inline constexpr std::uint32_t Notify = 0x4000;      // BS_NOTIFY, never touched
inline constexpr std::uint32_t Flat = 0x8000;        // BS_FLAT
// Alignment, push-like, multi-line and flat bits: replaced by the
// properties. Notify and every other bit are kept.
inline constexpr std::uint32_t ReplacedByProperties = 0xBF00;
} // namespace ButtonStyle

// The button's published properties, their values in published order.
enum class TAlignment
{
    taLeftJustify,
    taRightJustify,
    taCenter,
};

enum class TVertAlignment
{
    vaTopJustify,
    vaCenter,
    vaBottomJustify,
};

enum class TStyle
{
    vsNormal,
    vsFlat,
    vsPushButton,
};

struct RadioButtonProperties
{
    TAlignment horizontal = TAlignment::taLeftJustify;
    TVertAlignment vertical = TVertAlignment::vaTopJustify;
    bool wordWrap = true;
    TStyle style = TStyle::vsNormal;
};

// The style bits of a button created from `baseStyle` (the bits the
// standard radio button asks for) with `properties`.
std::uint32_t radioButtonStyle(std::uint32_t baseStyle, const RadioButtonProperties& properties);

// A property setter's rule on both toolkits: setting a property to the value
// it has changes nothing; another value is stored and `restyle` runs.
template <class T, class Restyle>
void setButtonProperty(T& property, T value, Restyle restyle)
{
    if (value != property) {
        property = value;
        restyle();
    }
}

} // namespace launcher
