#include "launcher/CommandLine.h"

#include "launcher/CalculationKinds.h"
#include "launcher/ModuleFailures.h"

namespace launcher {

std::optional<std::string_view> firstArgument(int argc, const char* const* argv)
{
    for (int i = 1; i < argc; ++i) {
        if (argv[i] != nullptr && argv[i][0] != '\0') {
            return std::string_view(argv[i]);
        }
    }
    return std::nullopt;
}

StartupRequest parseCommandLine(const std::optional<std::string_view>& argument1,
                                const std::optional<std::string>& currentDirectory, PathStyle style)
{
    StartupRequest request;
    if (!argument1) {
        return request;
    }
    const std::optional<int> kind = kindIndexForDataFile(*argument1);
    if (!kind) {
        return request;
    }
    request.autoRun = true;
    request.kindIndex = *kind;

    std::optional<std::string> name = dataFileNameForArgument(*argument1, currentDirectory, style);
    if (!name) {
        request.error = noCurrentDirectoryMessage(*argument1);
        return request;
    }
    if (name->size() > MaxDataFileNameLength) {
        request.error = dataFileNameTooLongMessage(*name);
        return request;
    }
    request.dataFileName = std::move(*name);
    return request;
}

} // namespace launcher
