#include "launcher/CalculationKinds.h"

#include "platform/AsciiCase.h"

namespace launcher {

namespace {

bool endsWithDotExtension(std::string_view argument, std::string_view extension)
{
    if (argument.size() < extension.size() + 1) {
        return false;
    }
    const std::string_view tail = argument.substr(argument.size() - extension.size() - 1);
    return tail.front() == '.' && platform::equalIgnoringAsciiCase(tail.substr(1), extension);
}

} // namespace

const CalculationKind* kindForModuleNumber(int moduleNumber)
{
    if (moduleNumber < 1 || moduleNumber > static_cast<int>(KindCount)) {
        return nullptr;
    }
    return &CalculationKinds[static_cast<std::size_t>(moduleNumber - 1)];
}

std::optional<int> kindIndexForDataFile(std::string_view argument)
{
    for (std::size_t i = 0; i < KindCount; ++i) {
        if (endsWithDotExtension(argument, CalculationKinds[i].fileExtension)) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

} // namespace launcher
