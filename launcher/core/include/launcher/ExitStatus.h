#pragma once

#include <array>
#include <string_view>

namespace launcher {

// The launcher's exit statuses, on every platform, from
// launcher/ExitStatuses.def. A module that crashes ends the process with
// the fault instead (a signal on POSIX, the exception code on Windows).
enum ExitStatus : int
{
#define DERIZE_EXIT(name, value, meaning) name = value,
#include "launcher/ExitStatuses.def"
#undef DERIZE_EXIT
};

struct ExitStatusMeaning
{
    ExitStatus status;
    std::string_view meaning;
};

// Every status with what it means, in the order of the list.
inline constexpr std::array ExitStatusMeanings{
#define DERIZE_EXIT(name, value, meaning) ExitStatusMeaning{name, meaning},
#include "launcher/ExitStatuses.def"
#undef DERIZE_EXIT
};

} // namespace launcher
