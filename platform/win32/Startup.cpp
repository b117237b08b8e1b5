#include "platform/Startup.h"

#include "FaultReport.h"

namespace platform {

void prepareProcess(char**)
{
    detail::reportFaultsOutsideModules();
}

} // namespace platform
