// A real-gas blend solve: the plan with the least drain and the gauge reading after each
// step, for fills a blender meets.
#include "report/real_gas_plan.h"

#include <benchmark/benchmark.h>

#include <array>

namespace {

using quillan::report::GasFractions;
using quillan::report::GaugeBlendProblem;

GaugeBlendProblem problem(double sourcePSI, GasFractions source, double targetPSI,
                          GasFractions target, double topUpO2) {
    GaugeBlendProblem p;
    p.sourceGauge = sourcePSI;
    p.source = source;
    p.targetGauge = targetPSI;
    p.target = target;
    p.topUpO2 = topUpO2;
    return p;
}

const std::array kGaugeProblems{
    problem(0, quillan::report::kAir, 3000, {0.18, 0.45, 0.37}, 0.21), // trimix from empty
    problem(0, quillan::report::kAir, 3000, {0.32, 0.0, 0.68}, 0.21),  // nitrox from empty
    problem(1000, {0.80, 0.0, 0.20}, 3000, {0.32, 0.0, 0.68}, 0.21),   // drain first
    problem(1200, {0.18, 0.45, 0.37}, 3200, {0.18, 0.45, 0.37}, 0.32), // trimix refill
    problem(500, {0.21, 0.35, 0.44}, 3000, {0.21, 0.35, 0.44}, 0.21),  // all steps
    problem(1000, {0.21, 0.50, 0.29}, 3000, {0.32, 0.0, 0.68}, 0.21),  // no plan
};

void BM_RealGasPlan(benchmark::State& state) {
    const quillan::report::GasLaw law = quillan::report::GasLaw::real();
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(quillan::report::planByGauge(law, kGaugeProblems[next]));
        next = next + 1 == kGaugeProblems.size() ? 0 : next + 1;
    }
}
BENCHMARK(BM_RealGasPlan);

} // namespace
