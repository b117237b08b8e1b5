// The end of a step of the launcher's start-up, for bench_launcher_phases:
// its name, the monotonic clock and the process's CPU time in nanoseconds,
// one line on standard error (read by bench_startup_compare).
#include <cstdio>
#include <ctime>

namespace {

long long nanoseconds(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

} // namespace

void startupPhase(const char* name)
{
    std::fprintf(stderr, "phase %s %lld %lld\n", name, nanoseconds(CLOCK_MONOTONIC),
                 nanoseconds(CLOCK_PROCESS_CPUTIME_ID));
}
