#include "launcher/window/RadioButtonStyle.h"

namespace launcher {

std::uint32_t radioButtonStyle(std::uint32_t baseStyle, const RadioButtonProperties& properties)
{
    std::uint32_t bits = baseStyle & ~ButtonStyle::ReplacedByProperties;
    switch (properties.horizontal) {
    case TAlignment::taLeftJustify:
        bits |= ButtonStyle::Left;
        break;
    case TAlignment::taRightJustify:
        bits |= ButtonStyle::Right;
        break;
    case TAlignment::taCenter:
        bits |= ButtonStyle::Center;
        break;
    }
    switch (properties.vertical) {
    case TVertAlignment::vaTopJustify:
        bits |= ButtonStyle::Top;
        break;
    case TVertAlignment::vaCenter:
        bits |= ButtonStyle::VCenter;
        break;
    case TVertAlignment::vaBottomJustify:
        bits |= ButtonStyle::Bottom;
        break;
    }
    if (properties.wordWrap) {
        bits |= ButtonStyle::MultiLine;
    }
    switch (properties.style) {
    case TStyle::vsNormal:
        break;
    case TStyle::vsFlat:
        bits |= ButtonStyle::Flat;
        break;
    case TStyle::vsPushButton:
        bits |= ButtonStyle::PushLike;
        break;
    }
    return bits;
}

} // namespace launcher
