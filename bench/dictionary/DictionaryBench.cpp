// Loading and lookup of a 1,000,000-line Windows-1251 dictionary with CR LF
// line ends, against the naive loader and the linear scan, and loading of
// files made of nothing but line ends at two sizes. After the runs a
// summary checks the goals and the program fails when one is missed.

#include "NaiveDictionary.h"
#include "translation/Dictionary.h"
#include "translation/DictionaryFormat.h"

#include <QFile>
#include <QStringEncoder>
#include <QStringView>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace {

constexpr int LineCount = 1'000'000;

QString sourceText(int k)
{
    return QStringLiteral("Надпись на окне номер %1").arg(k, 7, 10, QLatin1Char('0'));
}

QString targetText(int k)
{
    return QStringLiteral("Caption %1").arg(k, 7, 10, QLatin1Char('0'));
}

// The generated dictionary in a temporary folder, removed at exit.
class GeneratedDictionary
{
public:
    // The 1,000,000-line dictionary, or with `lineEnds` bytes a file of
    // nothing but LF.
    explicit GeneratedDictionary(std::size_t lineEnds = 0)
    {
        char pattern[] = "/tmp/dictionary-bench-XXXXXX";
        if (!::mkdtemp(pattern)) {
            std::abort();
        }
        m_dir = pattern;
        m_path = (m_dir / "bench.dic").string();
        if (lineEnds > 0) {
            const std::string bytes(lineEnds, '\n');
            std::ofstream(m_path, std::ios::binary)
                .write(bytes.data(), std::streamsize(bytes.size()));
            m_size = bytes.size();
            return;
        }
        QStringEncoder encoder("windows-1251");
        const QByteArray prefix = encoder.encode(QStringLiteral("Надпись на окне номер "));
        std::string bytes;
        bytes.reserve(52u * LineCount);
        char number[16];
        for (int k = 0; k < LineCount; ++k) {
            std::snprintf(number, sizeof number, "%07d", k);
            bytes += '"';
            bytes.append(prefix.constData(), static_cast<std::size_t>(prefix.size()));
            bytes += number;
            bytes += "\"=\"Caption ";
            bytes += number;
            bytes += "\"\r\n";
        }
        std::ofstream(m_path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
        m_size = bytes.size();
    }
    ~GeneratedDictionary() { std::filesystem::remove_all(m_dir); }

    const std::string& path() const { return m_path; }
    std::size_t size() const { return m_size; }

private:
    std::filesystem::path m_dir;
    std::string m_path;
    std::size_t m_size = 0;
};

GeneratedDictionary& dictionaryFile()
{
    static GeneratedDictionary file;
    return file;
}

std::size_t heapInUse()
{
    const struct mallinfo2 info = ::mallinfo2();
    return info.uordblks + info.hblkhd;
}

// One "Vm...:" figure of /proc/self/status, in bytes.
std::size_t statusBytes(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0) {
            return std::size_t(std::strtoull(line.c_str() + std::strlen(field), nullptr, 10)) *
                   1024;
        }
    }
    return 0;
}

// The most resident memory that `load` adds while it runs, in bytes: the
// kernel's high-water mark, reset just before (0 where it cannot be reset).
template <typename Load>
std::size_t peakMemoryOf(Load&& load)
{
    if (!std::ofstream("/proc/self/clear_refs") ||
        !(std::ofstream("/proc/self/clear_refs") << "5")) {
        return 0;
    }
    const std::size_t before = statusBytes("VmRSS:");
    load();
    const std::size_t peak = statusBytes("VmHWM:");
    return peak > before ? peak - before : 0;
}

std::size_t g_peakBytes = 0;

std::size_t g_heldBytes = 0;

// The loaded dictionary, with the heap it holds measured once.
void ensureLoaded()
{
    if (translation::DictionaryLoaded()) {
        return;
    }
    const std::size_t before = heapInUse();
    translation::LoadDictionary(dictionaryFile().path());
    g_heldBytes = heapInUse() - before;
}

const NaiveDictionary& naiveDictionary()
{
    static const NaiveDictionary naive = [] {
        ensureLoaded();
        NaiveDictionary lists;
        lists.loaded = true;
        for (const std::u16string& text : translation::SourceTexts()) {
            lists.sources.append(QStringView(text).toString());
        }
        for (const std::u16string& text : translation::TargetTexts()) {
            lists.targets.append(QStringView(text).toString());
        }
        return lists;
    }();
    return naive;
}

// A text near the end, in another letter case than the dictionary's.
const QString& hitText()
{
    static const QString text = sourceText(LineCount - 10).toUpper();
    return text;
}

const QString& missText()
{
    static const QString text = sourceText(LineCount + 5);
    return text;
}

std::u16string_view u16(const QString& text)
{
    return {reinterpret_cast<const char16_t*>(text.utf16()), std::size_t(text.size())};
}

void BM_ReadAndSplitLines(benchmark::State& state)
{
    const std::string& path = dictionaryFile().path();
    for (auto _ : state) {
        QFile file(QString::fromStdString(path));
        if (!file.open(QIODevice::ReadOnly)) {
            state.SkipWithError("cannot open the generated dictionary");
        }
        const QByteArray bytes = file.readAll();
        std::size_t lines = 0;
        const std::string_view view(bytes.constData(), std::size_t(bytes.size()));
        translation::forEachLine(view, [&lines](std::string_view line) {
            benchmark::DoNotOptimize(line.data());
            ++lines;
        });
        if (lines != LineCount) {
            state.SkipWithError("wrong line count");
        }
    }
    state.SetBytesProcessed(std::int64_t(state.iterations() * dictionaryFile().size()));
}
BENCHMARK(BM_ReadAndSplitLines)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_Load(benchmark::State& state)
{
    const std::string& path = dictionaryFile().path();
    for (auto _ : state) {
        translation::LoadDictionary(path);
        if (!translation::LoadedDictionary() ||
            translation::LoadedDictionary()->size() != LineCount) {
            state.SkipWithError("wrong entry count");
        }
    }
    state.SetBytesProcessed(std::int64_t(state.iterations() * dictionaryFile().size()));
    // Measured afresh, from no dictionary at all.
    translation::LoadDictionary(std::string());
    g_peakBytes = peakMemoryOf(ensureLoaded);
    state.counters["held_MB"] = double(g_heldBytes) / 1e6;
    state.counters["file_MB"] = double(dictionaryFile().size()) / 1e6;
    state.counters["held_per_file_byte"] = double(g_heldBytes) / double(dictionaryFile().size());
    state.counters["peak_per_file_byte"] = double(g_peakBytes) / double(dictionaryFile().size());
}
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond)->Iterations(5);

// Peak memory a file byte and time a byte, at each size of the file of
// line ends, for the summary.
std::map<std::size_t, std::pair<double, double>> g_lineEnds;

// A file of nothing but line ends: every byte an entry with two empty
// texts. The argument is the file's size in MB.
void BM_LoadLineEndsOnly(benchmark::State& state)
{
    const std::size_t size = std::size_t(state.range(0)) * 1'000'000;
    const GeneratedDictionary file(size);
    // The previous dictionary would otherwise be counted as well.
    translation::LoadDictionary(std::string());
    for (auto _ : state) {
        translation::LoadDictionary(file.path());
        if (!translation::LoadedDictionary() ||
            std::size_t(translation::LoadedDictionary()->size()) != size) {
            state.SkipWithError("wrong entry count");
        }
        state.PauseTiming();
        translation::LoadDictionary(std::string());
        state.ResumeTiming();
    }
    const std::size_t peak = peakMemoryOf([&file] { translation::LoadDictionary(file.path()); });
    translation::LoadDictionary(std::string());
    state.SetBytesProcessed(std::int64_t(state.iterations() * size));
    state.counters["peak_MB"] = double(peak) / 1e6;
    state.counters["peak_per_file_byte"] = double(peak) / double(size);
    g_lineEnds[size].first = double(peak) / double(size);
}
BENCHMARK(BM_LoadLineEndsOnly)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_NaiveLoad(benchmark::State& state)
{
    const std::string& path = dictionaryFile().path();
    for (auto _ : state) {
        const NaiveDictionary naive = NaiveDictionary::load(path);
        if (naive.sources.size() < LineCount) { // one more for the final CR LF
            state.SkipWithError("wrong entry count");
        }
    }
    state.SetBytesProcessed(std::int64_t(state.iterations() * dictionaryFile().size()));
}
BENCHMARK(BM_NaiveLoad)->Unit(benchmark::kMillisecond)->Iterations(2);

void lookup(benchmark::State& state, const QString& text, bool hit)
{
    ensureLoaded();
    const QString expected = hit ? targetText(LineCount - 10) : text;
    std::u16string storage;
    for (auto _ : state) {
        // As the windows look their texts up: no copy where none is needed.
        const std::u16string_view result = translation::TranslateText(u16(text), storage);
        benchmark::DoNotOptimize(result.data());
        if (result.size() != std::size_t(expected.size())) {
            state.SkipWithError("wrong translation");
        }
    }
}

void naiveLookup(benchmark::State& state, const QString& text)
{
    const NaiveDictionary& naive = naiveDictionary();
    for (auto _ : state) {
        QString result = naive.translate(text);
        benchmark::DoNotOptimize(result);
    }
}

void BM_LookupNearEnd(benchmark::State& state)
{
    lookup(state, hitText(), true);
}
BENCHMARK(BM_LookupNearEnd);

void BM_LookupMiss(benchmark::State& state)
{
    lookup(state, missText(), false);
}
BENCHMARK(BM_LookupMiss);

void BM_NaiveLookupNearEnd(benchmark::State& state)
{
    naiveLookup(state, hitText());
}
BENCHMARK(BM_NaiveLookupNearEnd)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_NaiveLookupMiss(benchmark::State& state)
{
    naiveLookup(state, missText());
}
BENCHMARK(BM_NaiveLookupMiss)->Unit(benchmark::kMillisecond)->Iterations(10);

// Prints as usual and keeps each benchmark's real time per iteration.
class RecordingReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred || run.run_type != Run::RT_Iteration) {
                continue;
            }
            const std::string& args = run.run_name.args;
            seconds[run.run_name.function_name + (args.empty() ? "" : "/" + args)] =
                run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        }
    }

    std::optional<double> time(const std::string& name) const
    {
        const auto found = seconds.find(name);
        return found == seconds.end() ? std::nullopt : std::optional<double>(found->second);
    }

private:
    std::map<std::string, double> seconds;
};

// One line per goal; false when one that could be measured was missed.
bool checkGoals(const RecordingReporter& reporter)
{
    bool ok = true;
    const auto goal = [&ok](const char* what, bool met, double figure, const char* unit) {
        std::printf("%-58s %12.1f %-4s %s\n", what, figure, unit, met ? "ok" : "MISSED");
        ok = ok && met;
    };
    const auto load = reporter.time("BM_Load");
    const auto naiveLoad = reporter.time("BM_NaiveLoad");
    const auto split = reporter.time("BM_ReadAndSplitLines");
    const auto hit = reporter.time("BM_LookupNearEnd");
    const auto miss = reporter.time("BM_LookupMiss");
    const auto naiveHit = reporter.time("BM_NaiveLookupNearEnd");
    const auto naiveMiss = reporter.time("BM_NaiveLookupMiss");
    std::printf("\n");
    if (load && naiveLoad) {
        goal("load: times faster than the naive loader (>= 2)", *naiveLoad / *load >= 2,
             *naiveLoad / *load, "x");
    }
    if (load && split) {
        goal("load: times the time to read and split lines (< 10)", *load / *split < 10,
             *load / *split, "x");
    }
    if (hit) {
        goal("lookup near the end (< 1000 ns)", *hit < 1e-6, *hit * 1e9, "ns");
        if (naiveHit) {
            goal("lookup near the end: times faster than the scan (>= 10000)",
                 *naiveHit / *hit >= 1e4, *naiveHit / *hit, "x");
        }
    }
    if (miss) {
        goal("lookup of a missing text (< 1000 ns)", *miss < 1e-6, *miss * 1e9, "ns");
        if (naiveMiss) {
            goal("lookup of a missing text: times faster than the scan (>= 10000)",
                 *naiveMiss / *miss >= 1e4, *naiveMiss / *miss, "x");
        }
    }
    if (load) {
        goal("memory held per byte of the file (<= 3)", g_heldBytes <= 3 * dictionaryFile().size(),
             double(g_heldBytes) / double(dictionaryFile().size()), "B");
        if (g_peakBytes > 0) {
            goal("peak memory while loading per byte of the file (<= 4)",
                 g_peakBytes <= 4 * dictionaryFile().size(),
                 double(g_peakBytes) / double(dictionaryFile().size()), "B");
        }
    }
    const auto small = reporter.time("BM_LoadLineEndsOnly/10");
    const auto large = reporter.time("BM_LoadLineEndsOnly/50");
    for (const auto& [size, figures] : g_lineEnds) {
        if (figures.first > 0) {
            goal(size < 20'000'000 ? "line ends only, 10 MB: peak memory per byte (<= 12)"
                                   : "line ends only, 50 MB: peak memory per byte (<= 12)",
                 figures.first <= 12, figures.first, "B");
        }
    }
    if (small && large) {
        goal("line ends only: time a byte at 50 MB over that at 10 MB (< 1.5)",
             (*large / 50) / (*small / 10) < 1.5, (*large / 50) / (*small / 10), "x");
    }
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    std::printf("generating %d lines...\n", LineCount);
    std::printf("dictionary: %.1f MB\n", double(dictionaryFile().size()) / 1e6);
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return checkGoals(reporter) ? 0 : 1;
}
