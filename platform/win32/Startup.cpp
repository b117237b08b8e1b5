#include "platform/Startup.h"

namespace platform {

void prepareProcess(char**) {}

} // namespace platform
