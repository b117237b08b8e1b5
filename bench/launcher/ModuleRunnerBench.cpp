// RunCalculation against the least a launcher could do for one run: load
// the library, find the entry point, call it and unload it again.
#include "launcher/ModuleRunner.h"

#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <string>

namespace {

const std::string ModuleDir = DERIZE_BENCH_MODULE_DIR "/";

void RunCalculationCycle(benchmark::State& state)
{
    launcher::ModuleHost host;
    host.programDir = ModuleDir;
    for (auto _ : state) {
        const launcher::RunOutcome outcome =
            launcher::RunCalculation(1, "/data/x.gear_exc_dat", host);
        if (outcome.status != launcher::RunStatus::Completed) {
            state.SkipWithError(outcome.message.c_str());
            break;
        }
        benchmark::DoNotOptimize(outcome.flag);
    }
}
BENCHMARK(RunCalculationCycle);

void RawDlopenCycle(benchmark::State& state)
{
    char name[TRN_MAX_PATH] = "/data/x.gear_exc_dat";
    const char* slot1 = nullptr;
    const char* slot2 = nullptr;
    const std::string path = ModuleDir + "trn_cylext.so";
    for (auto _ : state) {
        void* library = dlopen(path.c_str(), RTLD_NOW);
        if (library == nullptr) {
            state.SkipWithError(dlerror());
            break;
        }
        auto entry = reinterpret_cast<TrnRunFormA>(dlsym(library, "TrnRun_CylExt"));
        TrnResult flag = entry(nullptr, name, &slot1, &slot2);
        benchmark::DoNotOptimize(flag);
        dlclose(library);
    }
}
BENCHMARK(RawDlopenCycle);

} // namespace

BENCHMARK_MAIN();
