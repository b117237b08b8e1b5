#pragma once

/* Marks of the Windows program's start-up, for bench/win32/startup-time.sh
 * --breakdown: with the bench-only build switch DERIZE_STARTUP_TRACE
 * (cmake -DDERIZE_STARTUP_TRACE=ON), each mark writes one line to standard
 * error, `derize-startup <unix µs> <counter s> <what>`: the system time, to
 * set it beside the script's clock, and the performance counter, whose
 * seconds under Wine are those of WINEDEBUG=+timestamp. The minimal window
 * the launcher is measured against writes the same marks
 * (bench/win32/startup_mark.c). Without the switch a mark is nothing. */
#ifdef DERIZE_STARTUP_TRACE
#ifdef __cplusplus
extern "C" {
#endif
void derize_startup_mark(const char* what);
#ifdef __cplusplus
}
#endif
#define DERIZE_STARTUP_MARK(what) derize_startup_mark(what)
#else
#define DERIZE_STARTUP_MARK(what) ((void)0)
#endif
