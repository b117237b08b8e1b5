#include "launcher/window/RadioButtonStyle.h"

#include <iterator>

namespace launcher {

std::uint32_t radioButtonStyle(std::uint32_t baseStyle, const RadioButtonProperties& properties)
{
    // Each property's bits, by its values in published order; a value out
    // of range adds none.
    constexpr std::uint32_t horizontal[] = {ButtonStyle::Left, ButtonStyle::Right,
                                            ButtonStyle::Center};
    constexpr std::uint32_t vertical[] = {ButtonStyle::Top, ButtonStyle::VCenter,
                                          ButtonStyle::Bottom};
    constexpr std::uint32_t style[] = {0, ButtonStyle::Flat, ButtonStyle::PushLike};
    const auto bitsOf = [](const auto& table, auto value) {
        const auto index = static_cast<std::size_t>(value);
        return index < std::size(table) ? table[index] : 0u;
    };
    return (baseStyle & ~ButtonStyle::ReplacedByProperties) |
           bitsOf(horizontal, properties.horizontal) | bitsOf(vertical, properties.vertical) |
           (properties.wordWrap ? ButtonStyle::MultiLine : 0) | bitsOf(style, properties.style);
}

} // namespace launcher
