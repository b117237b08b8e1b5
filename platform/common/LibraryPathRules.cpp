#include "platform/Process.h"

#include <algorithm>

namespace platform {

namespace {

// An absolute folder, or one below the executable's own; anything else is
// looked up from the current folder.
bool namesAFixedFolder(std::string_view entry)
{
    if (!entry.empty() && entry.front() == '/') {
        return true;
    }
    for (const std::string_view origin :
         {std::string_view("$ORIGIN"), std::string_view("${ORIGIN}")}) {
        if (entry.substr(0, origin.size()) == origin &&
            (entry.size() == origin.size() || entry[origin.size()] == '/')) {
            return true;
        }
    }
    return false;
}

} // namespace

std::optional<std::string> libraryPathWithoutRelativeEntries(std::string_view value)
{
    if (value.empty()) {
        return std::nullopt; // the loader ignores an empty variable
    }
    std::string kept;
    bool dropped = false;
    std::size_t start = 0;
    while (start <= value.size()) {
        const std::size_t end = std::min(value.find_first_of(":;", start), value.size());
        const std::string_view entry = value.substr(start, end - start);
        if (namesAFixedFolder(entry)) {
            if (!kept.empty()) {
                kept += ':';
            }
            kept += entry;
        } else {
            dropped = true;
        }
        start = end + 1;
    }
    if (!dropped) {
        return std::nullopt;
    }
    return kept;
}

} // namespace platform
