#include "launcher/CommandLine.h"

#include "launcher/CalculationKinds.h"
#include "launcher/ModuleFailures.h"

#include <algorithm>

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

namespace {

bool separates(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte != 0 && byte <= 0x20;
}

} // namespace

std::vector<std::string> splitCommandLine(std::string_view line)
{
    std::vector<std::string> words;
    std::size_t at = 0;
    // The text ends at its first null, as a C string would.
    const std::size_t end = std::min(line.find('\0'), line.size());
    for (;;) {
        // Blanks, and pairs of quotes that stand alone, between words.
        for (;;) {
            while (at < end && separates(line[at])) {
                ++at;
            }
            if (at + 1 < end && line[at] == '"' && line[at + 1] == '"' &&
                (at + 2 == end || separates(line[at + 2]))) {
                at += 2;
                continue;
            }
            break;
        }
        if (at >= end) {
            return words;
        }
        std::string word;
        bool quoted = false;
        while (at < end && (quoted || !separates(line[at]))) {
            if (line[at] == '"') {
                quoted = !quoted;
            } else {
                word += line[at];
            }
            ++at;
        }
        words.push_back(std::move(word));
    }
}

std::optional<std::string> firstArgumentOfCommandLine(std::string_view commandLine)
{
    std::vector<std::string> words = splitCommandLine(commandLine);
    if (words.size() < 2) {
        return std::nullopt;
    }
    return std::move(words[1]);
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
