// How long a full decode of one real EDID takes: load the bytes, then read
// every property as the report would. Measured against copying and summing
// the same bytes, so the ratio says what decoding costs over touching memory.
#include "edid_parser.h"
#include "property_walk.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <numeric>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using Edid = std::array<std::uint8_t, tessarin::CEDIDParser::EDIDSize>;

constexpr const char* kBaseline = "CopyAndSumBytes";

std::vector<Edid> samples;

// The first 256 bytes of each sample, zero-padded, in name order.
std::vector<Edid> LoadSamples(const fs::path& folder)
{
    std::vector<fs::path> files;
    if (fs::is_directory(folder))
        for (const auto& item : fs::directory_iterator(folder))
            if (item.is_regular_file() && item.path().extension() == ".bin")
                files.push_back(item.path());
    std::sort(files.begin(), files.end());

    std::vector<Edid> edids;
    for (const fs::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        const std::vector<char> raw{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        Edid edid{};
        std::transform(raw.begin(), raw.begin() + static_cast<std::ptrdiff_t>(std::min(raw.size(), edid.size())),
                       edid.begin(), [](char c) { return static_cast<std::uint8_t>(c); });
        edids.push_back(edid);
    }
    return edids;
}

void SetPerEdid(benchmark::State& state)
{
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(samples.size()));
    // Seconds per EDID, printed with an SI prefix (u = microseconds).
    state.counters["per_edid"] = benchmark::Counter(static_cast<double>(samples.size()),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

template <tessarin::OutOfRange outOfRange>
void Decode(benchmark::State& state)
{
    tessarin::CEDIDParser parser;
    for (auto _ : state) {
        for (const Edid& edid : samples) {
            parser.UpdateEDIDDataFromArray(edid);
            benchmark::DoNotOptimize(tessarin::ReadEveryProperty(parser, outOfRange));
        }
    }
    SetPerEdid(state);
}

// Everything, out-of-range reads included (each one an exception).
void DecodeAndReadEveryProperty(benchmark::State& state)
{
    Decode<tessarin::OutOfRange::Probe>(state);
}

// What a report of the EDID could ask for.
void DecodeAndReadInRange(benchmark::State& state)
{
    Decode<tessarin::OutOfRange::Skip>(state);
}

void CopyAndSumBytes(benchmark::State& state)
{
    for (auto _ : state) {
        for (const Edid& edid : samples) {
            Edid copy = edid;
            benchmark::DoNotOptimize(copy.data());
            benchmark::DoNotOptimize(std::accumulate(copy.begin(), copy.end(), 0u));
        }
    }
    SetPerEdid(state);
}

// Prints as usual, then the two per-EDID times side by side.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    // Colour only on a terminal, so logs stay plain.
    RatioReporter() : ConsoleReporter(isatty(fileno(stdout)) != 0 ? OO_Defaults : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred && run.iterations > 0)
                perEdidNs_[run.benchmark_name()] = run.cpu_accumulated_time * 1e9 /
                    static_cast<double>(run.iterations) / static_cast<double>(samples.size());
    }

    void PrintRatios() const
    {
        const auto baseline = perEdidNs_.find(kBaseline);
        if (baseline == perEdidNs_.end() || baseline->second <= 0)
            return;
        std::printf("\nper EDID (%s: %.1f ns):\n", kBaseline, baseline->second);
        for (const auto& [name, ns] : perEdidNs_)
            if (name != kBaseline)
                std::printf("  %-28s %9.0f ns  %6.0f x %s\n", name.c_str(), ns, ns / baseline->second, kBaseline);
    }

private:
    std::map<std::string, double> perEdidNs_;
};

} // namespace

BENCHMARK(DecodeAndReadEveryProperty);
BENCHMARK(DecodeAndReadInRange);
BENCHMARK(CopyAndSumBytes);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    const fs::path folder = fs::path(TESSARIN_CORPUS_DIR) / "samples";
    samples = LoadSamples(folder);
    if (samples.empty()) {
        std::printf("skipped: no sample EDIDs in %s (configure with -DTESSARIN_CORPUS_DIR=<folder holding samples/>)\n",
                    folder.string().c_str());
        return 0;
    }
    std::printf("%zu sample EDIDs from %s\n", samples.size(), folder.string().c_str());

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
