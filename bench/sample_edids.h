#pragma once
// What the benchmarks share: the sample EDIDs, a per-item counter, and a
// console reporter that prints each benchmark's time per item as a ratio to
// a baseline measured in the same run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <unistd.h>

namespace tessarin::bench {

namespace fs = std::filesystem;
using Edid = std::array<std::uint8_t, 256>;

// The .bin files of `folder`, in name order.
inline std::vector<fs::path> SampleFiles(const fs::path& folder)
{
    std::vector<fs::path> files;
    if (fs::is_directory(folder))
        for (const auto& item : fs::directory_iterator(folder))
            if (item.is_regular_file() && item.path().extension() == ".bin")
                files.push_back(item.path());
    std::sort(files.begin(), files.end());
    return files;
}

// The first 256 bytes of each sample, zero-padded, in name order.
inline std::vector<Edid> LoadSampleEdids(const fs::path& folder)
{
    std::vector<Edid> edids;
    for (const fs::path& file : SampleFiles(folder)) {
        std::ifstream in(file, std::ios::binary);
        Edid edid{};
        in.read(reinterpret_cast<char*>(edid.data()), static_cast<std::streamsize>(edid.size()));
        edids.push_back(edid);
    }
    return edids;
}

// Items per iteration as a rate, and `counter` as the time one item takes.
inline void SetPerItem(benchmark::State& state, std::size_t items, const char* counter)
{
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(items));
    state.counters[counter] = benchmark::Counter(static_cast<double>(items),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Prints as usual, then the time per item of every benchmark beside the baseline's.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    // `scale` turns seconds into the printed unit (1e9 for "ns", 1e6 for "us").
    RatioReporter(std::string baseline, std::size_t items, const char* item, double scale, const char* unit)
        : ConsoleReporter(isatty(fileno(stdout)) != 0 ? OO_Defaults : OO_Tabular) // colour only on a terminal
        , baseline_(std::move(baseline)), items_(items), item_(item), scale_(scale), unit_(unit)
    {
    }

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred && run.iterations > 0)
                perItem_[run.benchmark_name()] = run.cpu_accumulated_time * scale_ /
                    static_cast<double>(run.iterations) / static_cast<double>(items_);
    }

    void PrintRatios() const
    {
        const auto baseline = perItem_.find(baseline_);
        if (baseline == perItem_.end() || baseline->second <= 0)
            return;
        std::printf("\nper %s (%s: %.1f %s):\n", item_, baseline_.c_str(), baseline->second, unit_);
        for (const auto& [name, time] : perItem_)
            if (name != baseline_)
                std::printf("  %-28s %10.1f %s  %7.1f x %s\n", name.c_str(), time, unit_, time / baseline->second,
                            baseline_.c_str());
    }

private:
    std::string baseline_;
    std::size_t items_;
    const char* item_;
    double scale_;
    const char* unit_;
    std::map<std::string, double> perItem_;
};

// The main of a benchmark over the samples: loads them with `load`, skips
// with a message when there are none, and runs with the ratio reporter.
template <typename Samples, typename Load>
int RunOverSamples(int argc, char** argv, Samples& samples, Load load, const char* baseline, const char* item,
                   double scale, const char* unit)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    const fs::path folder = fs::path(TESSARIN_CORPUS_DIR) / "samples";
    samples = load(folder);
    if (samples.empty()) {
        std::printf("skipped: no sample EDIDs in %s (configure with -DTESSARIN_CORPUS_DIR=<folder holding samples/>)\n",
                    folder.string().c_str());
        return 0;
    }
    std::printf("%zu sample EDIDs from %s\n", samples.size(), folder.string().c_str());
    RatioReporter reporter(baseline, samples.size(), item, scale, unit);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}

} // namespace tessarin::bench
