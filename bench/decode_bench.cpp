// How long a full decode of one real EDID takes: load the bytes, then read
// every property as the report would. Measured against copying and summing
// the same bytes, so the ratio says what decoding costs over touching memory.
#include "edid_parser.h"
#include "property_walk.h"
#include "sample_edids.h"

#include <benchmark/benchmark.h>

#include <numeric>
#include <vector>

namespace {

using tessarin::bench::Edid;

constexpr const char* kBaseline = "CopyAndSumBytes";

std::vector<Edid> samples;

void SetPerEdid(benchmark::State& state)
{
    // Seconds per EDID, printed with an SI prefix (u = microseconds).
    tessarin::bench::SetPerItem(state, samples.size(), "per_edid");
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

} // namespace

BENCHMARK(DecodeAndReadEveryProperty);
BENCHMARK(DecodeAndReadInRange);
BENCHMARK(CopyAndSumBytes);

int main(int argc, char** argv)
{
    return tessarin::bench::RunOverSamples(argc, argv, samples, tessarin::bench::LoadSampleEdids, kBaseline, "EDID",
                                           1e9, "ns");
}
