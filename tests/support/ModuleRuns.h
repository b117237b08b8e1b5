#pragma once

#include "launcher/ModuleRunner.h"

namespace testsupport {

// RunCalculation for tests that look at the whole outcome, not only at the
// flag it returns.
inline launcher::RunOutcome runCalculation(int moduleNumber, char* dataFileName,
                                           const launcher::ModuleHost& host)
{
    launcher::RunOutcome outcome;
    launcher::RunCalculation(moduleNumber, dataFileName, host, outcome);
    return outcome;
}

} // namespace testsupport
