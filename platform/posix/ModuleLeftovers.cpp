#include "platform/ModuleLeftovers.h"

namespace platform {

// A module's windows belong to the toolkit it shares with the launcher,
// and its threads keep their own copy of what they run; nothing is looked
// for here.
ModuleLeftovers leftoversOf(LibraryHandle)
{
    return {};
}

bool takePostedQuitRequest()
{
    return false;
}

} // namespace platform
