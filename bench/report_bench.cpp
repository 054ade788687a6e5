// What one report costs: the whole document and section tree of a real EDID,
// written headless and shown once. Measured in the same run against refreshing
// the pane after every primitive (the whole document re-read each time), so
// the ratio says what doing the work once saves.
#include "edid_parser.h"
#include "edid_report.h"
#include "headless_view.h"
#include "report_writer.h"
#include "sample_edids.h"
#ifdef TESSARIN_COMPLETE_DECODE
#include "complete_decoder.h"
#endif

#include <benchmark/benchmark.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

using tessarin::bench::Edid;

constexpr const char* kOnce = "ReportOnce";

std::vector<Edid> samples;

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
    tessarin::bench::SetPerItem(state, samples.size(), "per_report");
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

#ifdef TESSARIN_COMPLETE_DECODE
// The report with the complete decode after it, as tessarin-report writes it
// by default: every byte of each sample through the EDID library as well.
void ReportComplete(benchmark::State& state)
{
    static const std::vector<std::vector<std::uint8_t>> whole = [] {
        std::vector<std::vector<std::uint8_t>> files;
        for (const auto& file : tessarin::bench::SampleFiles(tessarin::bench::fs::path(TESSARIN_CORPUS_DIR) / "samples")) {
            std::ifstream in(file, std::ios::binary);
            files.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
        return files;
    }();
    tessarin::CEDIDParser parser;
    std::size_t bytes = 0;
    for (auto _ : state) {
        for (std::size_t i = 0; i < samples.size(); ++i) {
            parser.UpdateEDIDDataFromArray(samples[i]);
            tessarin::HeadlessReportView view;
            tessarin::HeadlessSectionTree tree;
            tessarin::ReportWriter writer(view, tree);
            const auto decode = tessarin::complete::DecodeComplete(whole[i]);
            tessarin::ReportContext context{writer, parser, '.'};
            context.complete = &decode;
            tessarin::DisplayEDIDBase(context);
            bytes += writer.ReportDocument().size();
            benchmark::DoNotOptimize(tree.Nodes().data());
        }
    }
    tessarin::bench::SetPerItem(state, samples.size(), "per_report");
    state.counters["doc_bytes"] = static_cast<double>(bytes) /
                                  static_cast<double>(state.iterations() * static_cast<std::int64_t>(samples.size()));
}
BENCHMARK(ReportComplete);
#endif

} // namespace

BENCHMARK(ReportOnce);
BENCHMARK(ReportRefreshEveryPrimitive);

int main(int argc, char** argv)
{
    return tessarin::bench::RunOverSamples(argc, argv, samples, tessarin::bench::LoadSampleEdids, kOnce, "report",
                                           1e6, "us");
}
