// Runs programs from start to exit in turn, one run of each per round, and
// compares their wall time, CPU time and peak resident memory with the
// first's. A program that writes "phase NAME WALL CPU" lines to standard
// error when a step NAME of its own ends (CLOCK_MONOTONIC and
// CLOCK_PROCESS_CPUTIME_ID in nanoseconds, as bench_launcher_phases does)
// also gets the median wall and CPU time of each step: from its start to
// the first, from each to the next, from the last to its exit.
//   bench_startup_compare [--runs N] [--warmup N] [--goals TIME MEMORY]
//       NAME PROGRAM [ARGUMENT...] [-- NAME PROGRAM [ARGUMENT...]]...
// Standard output and standard error of the programs are not shown.
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <map>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

struct Program
{
    std::string name;
    std::vector<std::string> argv;
    std::vector<double> wallMs;
    std::vector<double> cpuMs;
    std::vector<double> peakKiB;
    // Phase name -> wall and CPU milliseconds of the step it ends, one
    // entry per run; the step after the last phase is "exit".
    std::vector<std::string> phaseOrder;
    std::map<std::string, std::vector<double>> phaseWallMs;
    std::map<std::string, std::vector<double>> phaseCpuMs;
};

long long monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

double median(std::vector<double> values)
{
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double mean(const std::vector<double>& values)
{
    double sum = 0;
    for (double value : values) {
        sum += value;
    }
    return values.empty() ? 0 : sum / static_cast<double>(values.size());
}

double deviation(const std::vector<double>& values)
{
    const double average = mean(values);
    double sum = 0;
    for (double value : values) {
        sum += (value - average) * (value - average);
    }
    return values.size() < 2 ? 0 : std::sqrt(sum / static_cast<double>(values.size() - 1));
}

[[noreturn]] void fail(const std::string& message)
{
    std::fprintf(stderr, "bench_startup_compare: %s\n", message.c_str());
    std::exit(2);
}

// One run; records its figures when `record`.
void runOnce(Program& program, bool record)
{
    int errorPipe[2];
    if (pipe2(errorPipe, O_CLOEXEC) != 0) {
        fail(std::string("pipe: ") + std::strerror(errno));
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, errorPipe[1], STDERR_FILENO);
    std::vector<char*> argv;
    for (std::string& argument : program.argv) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);

    pid_t child = 0;
    const long long started = monotonicNs();
    const int spawned = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(errorPipe[1]);
    if (spawned != 0) {
        fail(program.argv[0] + ": " + std::strerror(spawned));
    }
    std::string errors;
    char buffer[4096];
    ssize_t got = 0;
    while ((got = read(errorPipe[0], buffer, sizeof buffer)) > 0 || (got < 0 && errno == EINTR)) {
        if (got > 0) {
            errors.append(buffer, static_cast<std::size_t>(got));
        }
    }
    close(errorPipe[0]);
    int status = 0;
    rusage usage{};
    while (wait4(child, &status, 0, &usage) < 0) {
        if (errno != EINTR) {
            fail(std::string("wait4: ") + std::strerror(errno));
        }
    }
    const long long ended = monotonicNs();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        fail(program.name + " did not end with status 0:\n" + errors);
    }
    if (!record) {
        return;
    }
    program.wallMs.push_back(static_cast<double>(ended - started) / 1e6);
    const auto ms = [](const timeval& time) {
        return static_cast<double>(time.tv_sec) * 1e3 + static_cast<double>(time.tv_usec) / 1e3;
    };
    program.cpuMs.push_back(ms(usage.ru_utime) + ms(usage.ru_stime));
    program.peakKiB.push_back(static_cast<double>(usage.ru_maxrss));

    double lastWall = 0;
    double lastCpu = 0;
    bool phases = false;
    std::size_t lineStart = 0;
    while (lineStart < errors.size()) {
        std::size_t lineEnd = errors.find('\n', lineStart);
        if (lineEnd == std::string::npos) {
            lineEnd = errors.size();
        }
        char name[64];
        long long wall = 0;
        long long cpu = 0;
        const std::string line = errors.substr(lineStart, lineEnd - lineStart);
        if (std::sscanf(line.c_str(), "phase %63s %lld %lld", name, &wall, &cpu) == 3) {
            if (program.phaseWallMs.find(name) == program.phaseWallMs.end()) {
                program.phaseOrder.push_back(name);
            }
            const double wallMs = static_cast<double>(wall - started) / 1e6;
            const double cpuMs = static_cast<double>(cpu) / 1e6;
            program.phaseWallMs[name].push_back(wallMs - lastWall);
            program.phaseCpuMs[name].push_back(cpuMs - lastCpu);
            lastWall = wallMs;
            lastCpu = cpuMs;
            phases = true;
        }
        lineStart = lineEnd + 1;
    }
    if (phases) {
        if (program.phaseWallMs.find("exit") == program.phaseWallMs.end()) {
            program.phaseOrder.emplace_back("exit");
        }
        program.phaseWallMs["exit"].push_back(program.wallMs.back() - lastWall);
        program.phaseCpuMs["exit"].push_back(program.cpuMs.back() - lastCpu);
    }
}

} // namespace

int main(int argc, char* argv[])
{
    int runs = 40;
    int warmup = 5;
    double timeGoal = 0;
    double memoryGoal = 0;
    std::vector<Program> programs;
    int i = 1;
    for (; i < argc && std::strncmp(argv[i], "--", 2) == 0 && argv[i][2] != '\0'; ++i) {
        const std::string option = argv[i];
        if (option == "--runs" && i + 1 < argc) {
            runs = std::atoi(argv[++i]);
        } else if (option == "--warmup" && i + 1 < argc) {
            warmup = std::atoi(argv[++i]);
        } else if (option == "--goals" && i + 2 < argc) {
            timeGoal = std::atof(argv[++i]);
            memoryGoal = std::atof(argv[++i]);
        } else {
            fail("unknown option " + option);
        }
    }
    for (; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0 || programs.empty()) {
            if (std::strcmp(argv[i], "--") == 0 && ++i >= argc) {
                break;
            }
            programs.push_back(Program{argv[i], {}, {}, {}, {}, {}, {}, {}});
        } else {
            programs.back().argv.push_back(argv[i]);
        }
    }
    if (programs.empty() || runs < 1 ||
        std::any_of(programs.begin(), programs.end(),
                    [](const Program& program) { return program.argv.empty(); })) {
        fail("usage: bench_startup_compare [--runs N] [--warmup N] [--goals TIME MEMORY] "
             "NAME PROGRAM [ARGUMENT...] [-- NAME PROGRAM [ARGUMENT...]]...");
    }

    for (int round = 0; round < warmup + runs; ++round) {
        for (Program& program : programs) {
            runOnce(program, round >= warmup);
        }
    }

    std::printf("%d alternating runs of each (after %d warm-up rounds); medians unless said\n",
                runs, warmup);
    std::printf("%-26s %10s %16s %10s %12s\n", "", "wall ms", "mean ± sd ms", "CPU ms", "peak KiB");
    for (const Program& program : programs) {
        std::printf("%-26s %10.2f %9.2f ± %5.2f %10.2f %12.0f\n", program.name.c_str(),
                    median(program.wallMs), mean(program.wallMs), deviation(program.wallMs),
                    median(program.cpuMs), median(program.peakKiB));
    }
    for (const Program& program : programs) {
        if (program.phaseOrder.empty()) {
            continue;
        }
        std::printf("\n%s, median time of each step, up to the end of the step named:\n",
                    program.name.c_str());
        std::printf("  %-12s %10s %10s\n", "", "wall ms", "CPU ms");
        for (const std::string& phase : program.phaseOrder) {
            std::printf("  %-12s %10.2f %10.2f\n", phase.c_str(),
                        median(program.phaseWallMs.at(phase)),
                        median(program.phaseCpuMs.at(phase)));
        }
    }
    const Program& reference = programs.front();
    for (std::size_t p = 1; p < programs.size(); ++p) {
        const Program& program = programs[p];
        const double timeRatio = median(program.wallMs) / median(reference.wallMs);
        const double cpuRatio = median(program.cpuMs) / median(reference.cpuMs);
        const double memoryRatio = median(program.peakKiB) / median(reference.peakKiB);
        std::printf("\n%s / %s:\n", program.name.c_str(), reference.name.c_str());
        std::printf("  wall time    %.3f", timeRatio);
        if (timeGoal > 0) {
            std::printf(" (goal <= %.2f: %s)", timeGoal, timeRatio <= timeGoal ? "met" : "MISSED");
        }
        std::printf("; of the means %.3f; CPU time %.3f\n",
                    mean(program.wallMs) / mean(reference.wallMs), cpuRatio);
        std::printf("  peak memory  %.3f", memoryRatio);
        if (memoryGoal > 0) {
            std::printf(" (goal <= %.2f: %s)", memoryGoal,
                        memoryRatio <= memoryGoal ? "met" : "MISSED");
        }
        std::printf("\n");
    }
    return 0;
}
