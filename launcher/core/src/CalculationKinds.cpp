#include "launcher/CalculationKinds.h"

#include "platform/Library.h"

namespace launcher {

namespace {

char asciiUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool endsWithDotExtension(std::string_view argument, std::string_view extension)
{
    if (argument.size() < extension.size() + 1) {
        return false;
    }
    const std::string_view tail = argument.substr(argument.size() - extension.size() - 1);
    if (tail.front() != '.') {
        return false;
    }
    for (std::size_t i = 0; i < extension.size(); ++i) {
        if (asciiUpper(tail[i + 1]) != asciiUpper(extension[i])) {
            return false;
        }
    }
    return true;
}

} // namespace

const CalculationKind* kindForModuleNumber(int moduleNumber)
{
    if (moduleNumber < 1 || moduleNumber > static_cast<int>(KindCount)) {
        return nullptr;
    }
    return &CalculationKinds[static_cast<std::size_t>(moduleNumber - 1)];
}

std::string moduleFileName(const CalculationKind& kind)
{
    std::string_view name = kind.libraryName;
    name.remove_suffix(std::string_view(".dll").size());
    return std::string(name) + platform::librarySuffix();
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
