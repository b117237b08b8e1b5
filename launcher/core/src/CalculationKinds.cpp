#include "launcher/CalculationKinds.h"

#include "platform/AsciiCase.h"
#include "platform/Library.h"

#include <trn_module.h>

namespace launcher {

// The module header names the entry points for module authors in plain C;
// it must name them as the kind table does.
static_assert(CalculationKinds[0].entryPoint == TRN_ENTRY_CYLEXT);
static_assert(CalculationKinds[1].entryPoint == TRN_ENTRY_CYLINT);
static_assert(CalculationKinds[2].entryPoint == TRN_ENTRY_BEVSPIR);
static_assert(CalculationKinds[3].entryPoint == TRN_ENTRY_BEVSTR);
static_assert(CalculationKinds[4].entryPoint == TRN_ENTRY_WORM);
static_assert(CalculationKinds[5].entryPoint == TRN_ENTRY_CHAIN);
static_assert(CalculationKinds[6].entryPoint == TRN_ENTRY_VBELT);
static_assert(CalculationKinds[7].entryPoint == TRN_ENTRY_TBELT);

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

std::string moduleFileName(const CalculationKind& kind)
{
    return std::string(kind.libraryName) + platform::librarySuffix();
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
