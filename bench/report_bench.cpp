// What one report costs: the whole document and section tree of a real EDID,
// written headless and shown once. Measured in the same run against refreshing
// the pane after every primitive (the whole document re-read each time), so
// the ratio says what doing the work once saves.
#include "edid_parser.h"
#include "edid_report.h"
#include "headless_view.h"
#include "report_writer.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Edid = std::array<std::uint8_t, tessarin::CEDIDParser::EDIDSize>;

constexpr const char* kOnce = "ReportOnce";

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
        Edid edid{};
        in.read(reinterpret_cast<char*>(edid.data()), static_cast<std::streamsize>(edid.size()));
        edids.push_back(edid);
    }
    return edids;
}

template <tessarin::ReportWriter::Refresh refresh>
void Report(benchmark::State& state)
{
    tessarin::CEDIDParser parser;
    std::size_t bytes = 0;
    for (auto _ : state) {
        for (const Edid& edid : samples) {
            parser.UpdateEDIDDataFromArray(edid);
            tessarin::HeadlessReportView view;
            tessarin::HeadlessSectionTree tree;
            tessarin::ReportWriter writer(view, tree, refresh);
            tessarin::DisplayEDIDBase(tessarin::ReportContext{writer, parser, '.'});
            bytes += writer.ReportDocument().size();
            benchmark::DoNotOptimize(tree.Nodes().data());
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(samples.size()));
    state.counters["per_report"] = benchmark::Counter(static_cast<double>(samples.size()),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["doc_bytes"] = static_cast<double>(bytes) /
                                  static_cast<double>(state.iterations() * static_cast<std::int64_t>(samples.size()));
}

void ReportOnce(benchmark::State& state)
{
    Report<tessarin::ReportWriter::Refresh::Once>(state);
}

void ReportRefreshEveryPrimitive(benchmark::State& state)
{
    Report<tessarin::ReportWriter::Refresh::EveryPrimitive>(state);
}

// Prints as usual, then the per-report times side by side.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred && run.iterations > 0)
                perReportUs_[run.benchmark_name()] = run.cpu_accumulated_time * 1e6 /
                    static_cast<double>(run.iterations) / static_cast<double>(samples.size());
    }

    void PrintRatios() const
    {
        const auto once = perReportUs_.find(kOnce);
        if (once == perReportUs_.end() || once->second <= 0)
            return;
        std::printf("\nper report (%s: %.1f us):\n", kOnce, once->second);
        for (const auto& [name, us] : perReportUs_)
            if (name != kOnce)
                std::printf("  %-28s %10.1f us  %6.1f x %s\n", name.c_str(), us, us / once->second, kOnce);
    }

private:
    std::map<std::string, double> perReportUs_;
};

} // namespace

BENCHMARK(ReportOnce);
BENCHMARK(ReportRefreshEveryPrimitive);

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
