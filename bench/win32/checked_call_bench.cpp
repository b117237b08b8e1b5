// What the checked call of an entry point costs a correct module: a stdcall
// function of form A's four arguments, called through platform::checkedCall
// and through a pointer of its own type, in alternating rounds. Prints the
// median nanoseconds per call of each and their ratio; run it under Wine or
// on Windows, on a quiet machine:
//
//   wine build/wine/bench/win32/checked_call_bench.exe
#include "platform/CheckedCall.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

volatile unsigned g_sink = 0;

extern "C" __attribute__((noinline)) unsigned char __stdcall entryPoint(void* owner, char* name,
                                                                        const char** slot1,
                                                                        const char** slot2)
{
    g_sink = g_sink + static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(owner)) +
             static_cast<unsigned>(name[0]) + (slot1 != nullptr) + (slot2 != nullptr);
    return 1;
}

using Entry = unsigned char(__stdcall*)(void*, char*, const char**, const char**);

template <typename Call>
double nanosecondsPerCall(Call call, int calls)
{
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < calls; ++i) {
        call();
    }
    const std::chrono::duration<double, std::nano> spent = std::chrono::steady_clock::now() - start;
    return spent.count() / calls;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main()
{
    char name[] = "C:\\data\\x.gear_exc_dat";
    const char* slot1 = nullptr;
    const char* slot2 = nullptr;
    const std::uintptr_t arguments[] = {0x5a5a, reinterpret_cast<std::uintptr_t>(name),
                                        reinterpret_cast<std::uintptr_t>(&slot1),
                                        reinterpret_cast<std::uintptr_t>(&slot2)};
    volatile Entry plain = &entryPoint;
    constexpr int Calls = 1000000;
    constexpr int Rounds = 15;
    std::vector<double> checked;
    std::vector<double> direct;
    for (int round = 0; round < Rounds; ++round) {
        checked.push_back(nanosecondsPerCall(
            [&] {
                platform::checkedCall(reinterpret_cast<const void*>(&entryPoint), arguments, 4);
            },
            Calls));
        direct.push_back(nanosecondsPerCall(
            [&] { plain(reinterpret_cast<void*>(arguments[0]), name, &slot1, &slot2); }, Calls));
    }
    const double checkedMedian = median(checked);
    const double directMedian = median(direct);
    std::printf("checked call %.2f ns, plain call %.2f ns, ratio %.2f (median of %d rounds of %d "
                "calls)\n",
                checkedMedian, directMedian, checkedMedian / directMedian, Rounds, Calls);
    return 0;
}
