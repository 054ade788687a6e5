// Load-to-report in the window: from the file name to the report and its tree
// painted, for each sample EDID, through the window's own load path. Measured
// in the same run against the naive window that re-sets the whole pane after
// every primitive of the report (and takes its line counts on the spot).
// The naive path takes long, so it runs on every Nth sample only
// (TESSARIN_NAIVE_STRIDE, default 10; 1 for all).
// Then the part of it that builds the pane's text document: from the report's
// model, against the former road through the RTF text read back.
#include "edid_parser.h"
#include "edid_report.h"
#include "headless_view.h"
#include "main_window.h"
#include "report_pane.h"
#include "rtf_reader.h"
#include "sample_edids.h"
#include "section_tree_widget.h"
#include "text_document_builder.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QElapsedTimer>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <numeric>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using tessarin::ReportWriter;

std::vector<QString> samples;
std::size_t naiveStride = 10;
// Milliseconds per load, by benchmark.
std::map<std::string, std::vector<double>> loads;

std::vector<QString> SampleFiles(const fs::path& folder)
{
    std::vector<QString> names;
    for (const fs::path& file : tessarin::bench::SampleFiles(folder))
        names.push_back(QString::fromStdString(file.string()));
    return names;
}

void LoadAll(benchmark::State& state, ReportWriter::Refresh refresh, std::size_t stride, const char* name)
{
    tessarin::frmMain::Options options;
    options.splashPause = std::chrono::milliseconds(0);
    options.refresh = refresh;
    tessarin::frmMain window(options);
    window.show();
    QApplication::processEvents();
    window.LoadEdidFile(samples.front()); // fonts and pictures loaded once, as in any session
    std::vector<double>& times = loads[name];
    std::size_t reports = 0;
    for (auto _ : state) {
        for (std::size_t i = 0; i < samples.size(); i += stride) {
            QElapsedTimer clock;
            clock.start();
            if (!window.LoadEdidFile(samples[i]))
                state.SkipWithError("a sample was refused");
            // On screen: what the load left queued done, the pane and the tree painted.
            QApplication::processEvents();
            window.RichTextBox()->viewport()->repaint();
            window.TreeView1()->viewport()->repaint();
            times.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
            ++reports;
        }
    }
    state.counters["reports"] = static_cast<double>(reports);
}

void LoadToReport(benchmark::State& state)
{
    LoadAll(state, ReportWriter::Refresh::Once, 1, "LoadToReport");
}

void NaiveRefreshEveryPrimitive(benchmark::State& state)
{
    LoadAll(state, ReportWriter::Refresh::EveryPrimitive, naiveStride, "NaiveRefreshEveryPrimitive");
}

// The pane's document from each sample's report: set from the model (what the
// pane does), and filled from the model read back from the report's RTF (what
// it did before the model existed). Both laid out at the pane's width.
void PaneDocument(benchmark::State& state)
{
    std::vector<double>& fromModel = loads["PaneDocumentFromModel"];
    std::vector<double>& fromRtf = loads["PaneDocumentThroughRtf"];
    tessarin::ReportPane pane;
    pane.resize(700, 600);
    QTextDocument former;
    former.setTextWidth(pane.viewport()->width());
    for (auto _ : state) {
        for (const QString& file : samples) {
            std::FILE* in = std::fopen(file.toLocal8Bit().constData(), "rb");
            tessarin::bench::Edid bytes{};
            if (in != nullptr) {
                (void)std::fread(bytes.data(), 1, bytes.size(), in);
                std::fclose(in);
            }
            tessarin::CEDIDParser parser;
            parser.UpdateEDIDDataFromArray(bytes);
            tessarin::HeadlessReportView view;
            tessarin::HeadlessSectionTree tree;
            ReportWriter writer(view, tree);
            tessarin::DisplayEDIDBase(tessarin::ReportContext{writer, parser, '.'});
            const std::string rtf = writer.CompleteDocument();

            QElapsedTimer clock;
            clock.start();
            pane.SetDocument(writer.Document());
            pane.document()->documentLayout()->documentSize();
            fromModel.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);

            clock.restart();
            tessarin::FillTextDocument(former, tessarin::ReadRtf(rtf), pane.logicalDpiX());
            former.documentLayout()->documentSize();
            fromRtf.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        }
    }
}

void PrintSummary()
{
    std::printf("\nload-to-report per EDID (ms):\n");
    std::printf("  %-28s %7s %8s %8s %8s %8s\n", "", "reports", "median", "mean", "p95", "max");
    double onceMean = 0;
    for (const char* name :
         {"LoadToReport", "NaiveRefreshEveryPrimitive", "PaneDocumentFromModel", "PaneDocumentThroughRtf"}) {
        std::vector<double> times = loads[name];
        if (times.empty())
            continue;
        std::sort(times.begin(), times.end());
        const double mean = std::accumulate(times.begin(), times.end(), 0.0) / static_cast<double>(times.size());
        const auto at = [&](double q) { return times[static_cast<std::size_t>(q * static_cast<double>(times.size() - 1))]; };
        std::printf("  %-28s %7zu %8.2f %8.2f %8.2f %8.2f", name, times.size(), at(0.5), mean, at(0.95), times.back());
        if (std::string(name) == "PaneDocumentFromModel")
            onceMean = mean;
        else if (onceMean > 0)
            std::printf("   %.1f x the mean of the line above", mean / onceMean);
        else
            onceMean = mean;
        std::printf("\n");
    }
}

} // namespace

BENCHMARK(LoadToReport)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(NaiveRefreshEveryPrimitive)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(PaneDocument)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    if (const char* stride = std::getenv("TESSARIN_NAIVE_STRIDE"))
        naiveStride = std::max(1UL, std::strtoul(stride, nullptr, 10));

    const fs::path folder = fs::path(TESSARIN_CORPUS_DIR) / "samples";
    samples = SampleFiles(folder);
    if (samples.empty()) {
        std::printf("skipped: no sample EDIDs in %s (configure with -DTESSARIN_CORPUS_DIR=<folder holding samples/>)\n",
                    folder.string().c_str());
        return 0;
    }
    std::printf("%zu sample EDIDs from %s; the naive path on every %zu%s\n", samples.size(), folder.string().c_str(),
                naiveStride, naiveStride == 1 ? "" : "th");
    benchmark::RunSpecifiedBenchmarks();
    PrintSummary();
    benchmark::Shutdown();
    return 0;
}
