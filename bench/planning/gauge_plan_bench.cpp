// A blend solved on amounts of gas: the plan with the least drain and the gauge reading after
// each step, for fills a blender meets, under each gas law.
#include "physics/gas_model.h"
#include "physics/gerg2008.h"
#include "planning/blend_planner.h"
#include "planning/gauge_plan.h"

#include <benchmark/benchmark.h>

#include <array>

namespace {

using quillan::BlendProblem;
using quillan::GasMix;
using quillan::Pressure;

BlendProblem problem(double startPSI, GasMix start, double requiredPSI, GasMix required,
                     double topUpO2) {
    return {{Pressure::psi(startPSI), start},
            {Pressure::psi(requiredPSI), required},
            GasMix::percent(topUpO2)};
}

const std::array kGaugeProblems{
    problem(0, GasMix::air(), 3000, GasMix::percent(18, 45), 21),              // trimix
    problem(0, GasMix::air(), 3000, GasMix::percent(32), 21),                  // nitrox
    problem(1000, GasMix::percent(80), 3000, GasMix::percent(32), 21),         // drain first
    problem(1200, GasMix::percent(18, 45), 3200, GasMix::percent(18, 45), 32), // refill
    problem(500, GasMix::percent(21, 35), 3000, GasMix::percent(21, 35), 21),  // all steps
    problem(1000, GasMix::percent(21, 50), 3000, GasMix::percent(32), 21),     // no plan
};

void planAll(benchmark::State& state, const quillan::GasLaw& law) {
    const quillan::CylinderGas gas{law};
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            quillan::planByGauge(quillan::atOneTemperature(gas), kGaugeProblems[next]));
        next = next + 1 == kGaugeProblems.size() ? 0 : next + 1;
    }
}

void BM_IdealGasPlan(benchmark::State& state) {
    planAll(state, quillan::gasLawOf(quillan::GasModel::IdealPartialPressures));
}
void BM_RealGasPlan(benchmark::State& state) {
    planAll(state, quillan::gasLawOf(quillan::GasModel::Virial));
}
void BM_Gerg2008Plan(benchmark::State& state) {
    planAll(state, quillan::Gerg2008());
}
// One Z of a trimix across a cylinder's pressures, the step a plan repeats.
void BM_Gerg2008Z(benchmark::State& state) {
    const quillan::Gerg2008 law;
    double bar = 1.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            law.compressibility(GasMix::percent(18, 45), bar, quillan::kRoomTemperature));
        bar = bar >= 300.0 ? 1.0 : bar + 7.0;
    }
}
BENCHMARK(BM_IdealGasPlan);
BENCHMARK(BM_RealGasPlan);
BENCHMARK(BM_Gerg2008Plan);
BENCHMARK(BM_Gerg2008Z);

} // namespace

namespace {

// The whole plan a command asks for, readings rounded and checked: ideal and reference law.
void requiredMix(benchmark::State& state, quillan::GasModel model) {
    quillan::Mixer problem;
    problem.Load(0, 0, 0, 0, 232, 18, 45, 37);
    problem.TopupMixFO2(21);
    const quillan::PlanOptions options{.units = quillan::UnitSystem::BarAndMetres, .gas = model};
    for (auto _ : state)
        benchmark::DoNotOptimize(quillan::planRequiredMix(problem, options));
}
void BM_IdealRequiredMix(benchmark::State& state) {
    requiredMix(state, quillan::GasModel::IdealPartialPressures);
}
void BM_Gerg2008RequiredMix(benchmark::State& state) {
    requiredMix(state, quillan::GasModel::Gerg2008);
}
BENCHMARK(BM_IdealRequiredMix);
BENCHMARK(BM_Gerg2008RequiredMix);

} // namespace
