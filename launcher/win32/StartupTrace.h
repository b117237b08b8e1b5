#pragma once

// Marks of the Windows program's start-up, for bench/win32/startup-time.sh
// --breakdown: with the bench-only build switch DERIZE_STARTUP_TRACE
// (cmake -DDERIZE_STARTUP_TRACE=ON), each mark writes one line to standard
// error, `derize-startup <unix µs> <counter s> <what>`: the system time, to
// set it beside the script's clock, and the performance counter, whose
// seconds under Wine are those of WINEDEBUG=+timestamp. Without the switch
// a mark is nothing.
#ifdef DERIZE_STARTUP_TRACE
namespace launcher::win32 {
void startupMark(const char* what);
} // namespace launcher::win32
#define DERIZE_STARTUP_MARK(what) ::launcher::win32::startupMark(what)
#else
#define DERIZE_STARTUP_MARK(what) static_cast<void>(0)
#endif
