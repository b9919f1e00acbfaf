// Timings of the sizing engines and the evaluator on the worked examples and
// on the largest accepted flow. Targets: the duct worked example within
// 100 µs, every accepted input within 5 ms.

#include "engine/duct_sizing.h"
#include "engine/expression_evaluator.h"
#include "engine/terminal_sizing.h"

#include <benchmark/benchmark.h>

namespace {

using namespace kestrix;

const DuctCriteria kDuctExample{0.18, 8.0, 0.1, 4.0, false};
const TerminalCriteria kTerminalExample{3.0, 0.7};

void BM_SizeDuct(benchmark::State& state, const char* flow) {
    for (auto _ : state) {
        DuctCandidates result = SizeDuct(flow, kDuctExample, "Φ");
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK_CAPTURE(BM_SizeDuct, worked_example_1000, "1000")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SizeDuct, largest_flow_10000000, "10000000")->Unit(benchmark::kMicrosecond);

void BM_SizeTerminal(benchmark::State& state, const char* flow) {
    for (auto _ : state) {
        TerminalFields fields;
        TerminalCandidates result = SizeTerminal(flow, kTerminalExample, "Φ", fields);
        benchmark::DoNotOptimize(result);
        benchmark::DoNotOptimize(fields);
    }
}
BENCHMARK_CAPTURE(BM_SizeTerminal, worked_example_1000, "1000")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SizeTerminal, largest_flow_10000000, "10000000")
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
