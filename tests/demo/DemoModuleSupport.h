#pragma once

#include "launcher/ModuleRunner.h"

#include <string>

namespace demotest {

// The launcher's folder in the build tree, where the demo modules are built.
std::string programDir();

// Full path of the module of `moduleNumber` in programDir().
std::string modulePath(int moduleNumber);

// Whether `path` is mapped into this process (read from /proc/self/maps).
bool isMapped(const std::string& path);

// Every text the demo modules store in a result-text slot starts with this.
inline constexpr const char* ResultMark = "trn-demo ";

// Puts `first` and `second` into the launcher's result-text slots, freeing
// any demo text they held so that the sanitizer build sees no leak.
void setResultSlots(const char* first, const char* second);

} // namespace demotest
