#include "DemoModuleSupport.h"

#include "launcher/CalculationKinds.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace demotest {

std::string programDir()
{
    return DEMO_PROGRAM_DIR;
}

std::string modulePath(int moduleNumber)
{
    const launcher::CalculationKind* kind = launcher::kindForModuleNumber(moduleNumber);
    return kind != nullptr ? programDir() + launcher::moduleFileName(*kind) : std::string();
}

bool isMapped(const std::string& path)
{
    std::error_code error;
    const std::string canonical = std::filesystem::canonical(path, error).string();
    if (error) {
        return false;
    }
    std::ifstream maps("/proc/self/maps");
    for (std::string line; std::getline(maps, line);) {
        if (line.size() >= canonical.size() &&
            line.compare(line.size() - canonical.size(), canonical.size(), canonical) == 0) {
            return true;
        }
    }
    return false;
}

void setResultSlots(const char* first, const char* second)
{
    for (const char** slot : {launcher::firstResultTextSlot(), launcher::secondResultTextSlot()}) {
        if (*slot != nullptr && std::strncmp(*slot, ResultMark, std::strlen(ResultMark)) == 0) {
            std::free(const_cast<char*>(*slot));
        }
    }
    *launcher::firstResultTextSlot() = first;
    *launcher::secondResultTextSlot() = second;
}

} // namespace demotest
