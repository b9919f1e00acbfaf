// Timings of the sizing engines and the evaluator on the worked examples, on
// the largest accepted flow and on the slowest inputs the bounds allow (a
// march up to the speed of sound, lists cut at MaxCandidates). Targets: the
// duct worked example within 100 µs, every accepted input within 5 ms.

#include "engine/duct_sizing.h"
#include "engine/expression_evaluator.h"
#include "engine/terminal_sizing.h"

#include <benchmark/benchmark.h>

namespace {

using namespace kestrix;

const DuctCriteria kDuctExample{0.18, 8.0, 0.1, 4.0, false};
const TerminalCriteria kTerminalExample{3.0, 0.7};

// The velocity limit and the loss limit never stop the march before 340 m/s.
const DuctCriteria kDuctMarchToSoundSpeed{0.18, 1000.0, 1.0e9, 4.0, false};
// An aspect limit this high lets the rectangle run reach MaxCandidates.
const DuctCriteria kDuctLongestList{0.18, 8.0, 0.1, 1.0e9, false};

void BM_SizeDuct(benchmark::State& state, const DuctCriteria* c, const char* flow) {
    for (auto _ : state) {
        DuctCandidates result = SizeDuct(flow, *c, "Φ");
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK_CAPTURE(BM_SizeDuct, worked_example_1000, &kDuctExample, "1000")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SizeDuct, largest_flow_10000000, &kDuctExample, "10000000")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SizeDuct, march_to_340_m_s, &kDuctMarchToSoundSpeed, "10000000")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SizeDuct, list_of_1000, &kDuctLongestList, "10000000")
    ->Unit(benchmark::kMicrosecond);

// Criteria that make the necessary area almost 1 km², the largest accepted.
const TerminalCriteria kTerminalLargestArea{0.0028, 1.0};

void BM_SizeTerminal(benchmark::State& state, const TerminalCriteria* c, const char* flow) {
    for (auto _ : state) {
        TerminalFields fields;
        TerminalCandidates result = SizeTerminal(flow, *c, "Φ", fields);
        benchmark::DoNotOptimize(result);
        benchmark::DoNotOptimize(fields);
    }
}
BENCHMARK_CAPTURE(BM_SizeTerminal, worked_example_1000, &kTerminalExample, "1000")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SizeTerminal, largest_flow_10000000, &kTerminalExample, "10000000")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SizeTerminal, area_near_1_km2, &kTerminalLargestArea, "10000000")
    ->Unit(benchmark::kMicrosecond);

void BM_EvaluateFlowText(benchmark::State& state) {
    ExpressionEvaluator evaluator;
    for (auto _ : state) {
        std::string result = evaluator.EvaluateFlowText("1200*3+sqrt(2)*450");
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_EvaluateFlowText)->Unit(benchmark::kMicrosecond);

} // namespace
