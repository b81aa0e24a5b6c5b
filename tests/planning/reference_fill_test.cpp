// Filled by the plan's unrounded readings at any fill temperature, a cylinder obeying the
// reference equation holds the required mix and settles at the required pressure.
#include "planning/blend_planner.h"
#include "planning/blend_problem.h"
#include "planning/gauge_plan.h"
#include "rules/limits.h"

#include <gtest/gtest.h>

#include <random>

using namespace quillan;

namespace {

Mixer windowProblem(std::mt19937& random, UnitSystem units) {
    auto pick = [&random](int low, int high) {
        return static_cast<std::int16_t>(std::uniform_int_distribution<int>(low, high)(random));
    };
    const UnitRanges ranges = unitRanges(units);
    const std::int16_t start = pick(0, ranges.maxStartingPressure);
    const std::int16_t required = pick(start + 1, ranges.maxRequiredPressure);
    const std::int16_t startO2 = pick(11, 99);
    const std::int16_t startHe = pick(0, std::min(90, 100 - startO2)) / pick(1, 3);
    const std::int16_t o2 = pick(8, 99);
    const std::int16_t he = pick(0, std::min(90, 100 - o2)) / pick(1, 3);
    Mixer mixer;
    mixer.Load(start, startO2, startHe, std::int16_t(100 - startO2 - startHe), required, o2, he,
               std::int16_t(100 - o2 - he));
    mixer.TopupMixFO2(pick(kTopUpO2Range.lower, kTopUpO2Range.upper));
    return mixer;
}

GaugePlan readingsOf(const BlendPlan& plan, const BlendProblem& problem) {
    const GaugeReadings& exact = *plan.exactGauges;
    GaugePlan readings;
    readings.drains = exact.drainTo.has_value();
    readings.drainTo = exact.drainTo.value_or(problem.start.pressure);
    readings.afterHelium = exact.afterHelium;
    readings.afterOxygen = exact.afterOxygen;
    readings.afterTopUp = exact.afterTopUp;
    return readings;
}

TEST(ReferenceFill, HoldsTheMixAndSettlesAtTheRequiredPressure) {
    std::mt19937 random(20261207);
    for (const UnitSystem units : {UnitSystem::PsiAndFeet, UnitSystem::BarAndMetres}) {
        for (const double fillCelsius : {0.0, 20.0, 40.0, 45.0}) {
            PlanOptions options;
            options.units = units;
            options.gas = GasModel::Gerg2008;
            options.fill = Temperature::celsius(fillCelsius);
            const FillGas gerg{{gasLawOf(GasModel::Gerg2008), options.settle},
                               {gasLawOf(GasModel::Gerg2008), options.fill}};
            int plans = 0;
            for (int i = 0; i < 150; ++i) {
                const Mixer mixer = windowProblem(random, units);
                const PlanOutcome outcome = planRequiredMix(mixer, options);
                if (!outcome.plan)
                    continue;
                ++plans;
                const BlendProblem problem = problemOf(mixer, units, true);
                const GasAmounts filled =
                    fillByGauge(gerg, problem, readingsOf(*outcome.plan, problem));
                const double tolerance = outcome.plan->fullDrainMix ? 0.005 : 0.001;
                const GasMix got = filled.mix();
                SCOPED_TRACE(testing::Message()
                             << unitSystemName(units) << " " << fillCelsius << " C, problem " << i
                             << ": " << mixer.SourcePSI() << "/" << mixer.SourceO2() << "/"
                             << mixer.SourceHe() << " to " << mixer.TargetPSI() << "/"
                             << mixer.TargetO2() << "/" << mixer.TargetHe() << " top "
                             << mixer.TopupMixFO2());
                EXPECT_NEAR(got.o2().value(), problem.required.mix.o2().value(), tolerance);
                EXPECT_NEAR(got.he().value(), problem.required.mix.he().value(), tolerance);
                EXPECT_NEAR(gerg.settled.gaugeOf(filled)->inBar(),
                            problem.required.pressure.inBar(), 0.2);
            }
            EXPECT_GT(plans, 60);
        }
    }
}

// An empty cylinder to 200 bar of 18/45 filled at 35 C: the gauge reads more when full, and
// 200 bar once the cylinder has cooled to 20 C.
TEST(ReferenceFill, FilledHotReadsHighThenSettles) {
    Mixer mixer;
    mixer.Load(0, 0, 0, 0, 200, 18, 45, 37);
    mixer.TopupMixFO2(21);
    PlanOptions options;
    options.units = UnitSystem::BarAndMetres;
    options.gas = GasModel::Gerg2008;
    options.fill = Temperature::celsius(35.0);
    const PlanOutcome outcome = planRequiredMix(mixer, options);
    ASSERT_TRUE(outcome.plan && outcome.plan->gauges && outcome.plan->settledPressure);
    EXPECT_GT(outcome.plan->gauges->afterTopUp.inBar(), 205.0);
    EXPECT_NEAR(outcome.plan->settledPressure->inBar(), 200.0, 0.2);
}

} // namespace
