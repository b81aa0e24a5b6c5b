// Plans counted by gauge: the worked trimix fill, and thousands of window problems whose printed
// gauge readings, filled by through the model, must land on the required mix and pressure.
#include "planning/blend_problem.h"
#include "planning/gauge_plan.h"
#include "report/blend_report.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <sstream>

using namespace quillan;
using namespace quillan::report;

namespace {

const VirialFit kVirial;
const IdealGas kIdeal;
const FillGas kReal = atOneTemperature(CylinderGas{kVirial});

// An empty cylinder (one atmosphere of air) to 3000 PSI of trimix 18/45, topped up with air.
BlendProblem emptyToTrimix1845() {
    BlendProblem p;
    p.start = {Pressure::psi(0.0), GasMix::air()};
    p.required = {Pressure::psi(3000.0), GasMix::percent(18.0, 45.0)};
    p.topUp = GasMix::air();
    return p;
}

double gaugeOf(const GasAmounts& amounts) {
    return kReal.settled.gaugeOf(amounts)->inPsi();
}

TEST(PlanByGauge, EmptyCylinderToTrimix1845) {
    const BlendProblem problem = emptyToTrimix1845();
    const std::optional<GaugePlan> plan = planByGauge(kReal, problem);
    ASSERT_TRUE(plan);
    EXPECT_FALSE(plan->drains);
    EXPECT_NEAR(plan->afterHelium.inPsi(), 1337.0, 5.0);
    EXPECT_NEAR(plan->afterOxygen.inPsi(), 1568.0, 5.0);
    EXPECT_EQ(plan->afterTopUp, Pressure::psi(3000.0));

    const GasAmounts filled = fillByGauge(kReal, problem, *plan);
    EXPECT_NEAR(gaugeOf(filled), 3000.0, 0.01);
    EXPECT_NEAR(filled.mix().o2().value(), 0.18, 1e-9);
    EXPECT_NEAR(filled.mix().he().value(), 0.45, 1e-9);
}

TEST(PlanByGauge, TheIdealFiguresFilledForRealMissTheMix) {
    const BlendProblem problem = emptyToTrimix1845();
    const std::optional<GaugePlan> ideal =
        planByGauge(atOneTemperature(CylinderGas{kIdeal}), problem);
    ASSERT_TRUE(ideal);
    // Helium 45 % of 3014.7 PSI absolute, on top of the atmosphere of air already there.
    EXPECT_NEAR(ideal->afterHelium.inPsi(), 1356.6, 0.1);
    const GasMix got = fillByGauge(kReal, problem, *ideal).mix();
    EXPECT_NEAR(got.o2().inPercent(), 18.3, 0.1);
    EXPECT_NEAR(got.he().inPercent(), 45.6, 0.1);
}

TEST(PlanByGauge, DrainsOnlyWhatTheMixNeeds) {
    // 1000 PSI of nitrox 80 to 3000 PSI of nitrox 32 with air: too much oxygen to keep it all.
    BlendProblem problem;
    problem.start = {Pressure::psi(1000.0), GasMix::percent(80.0)};
    problem.required = {Pressure::psi(3000.0), GasMix::percent(32.0)};
    const std::optional<GaugePlan> plan = planByGauge(kReal, problem);
    ASSERT_TRUE(plan);
    ASSERT_TRUE(plan->drains);
    // The ideal plan drains to 559 PSI; oxygen's lower Z leaves less to keep.
    EXPECT_GT(plan->drainTo.inPsi(), 500.0);
    EXPECT_LT(plan->drainTo.inPsi(), 559.0);
    EXPECT_EQ(plan->afterOxygen, plan->drainTo); // no oxygen added
    EXPECT_NEAR(fillByGauge(kReal, problem, *plan).mix().o2().value(), 0.32, 1e-9);
    // Keeping one PSI more would already overshoot the oxygen.
    GaugePlan keepMore = *plan;
    keepMore.drainTo = keepMore.drainTo + Pressure::psi(1.0);
    EXPECT_GT(fillByGauge(kReal, problem, keepMore).mix().o2().value(), 0.3201);
}

// Drained to empty a cylinder keeps an atmosphere of its start: planned when the mix it then
// holds is within half a point of the required one.
TEST(PlanByGauge, FullDrainWhenNothingKeepsTheStart) {
    struct Case {
        const char* name;
        BlendProblem problem;
        bool planned;
    };
    const Case cases[] = {
        {"heliox to nitrox 32",
         {{Pressure::psi(1000), GasMix::percent(21, 50)},
          {Pressure::psi(3000), GasMix::percent(32)}},
         true},
        {"heliox 32/68 to nitrox 36",
         {{Pressure::bar(35), GasMix::percent(32, 68)}, {Pressure::bar(200), GasMix::percent(36)}},
         true},
        {"too little to dilute the helium",
         {{Pressure::psi(1000), GasMix::percent(21, 50)},
          {Pressure::psi(300), GasMix::percent(32)}},
         false},
    };
    for (const Case& c : cases) {
        const std::optional<GaugePlan> plan = planByGauge(kReal, c.problem);
        ASSERT_EQ(plan.has_value(), c.planned) << c.name;
        if (!plan)
            continue;
        EXPECT_TRUE(plan->fullDrain && plan->drains) << c.name;
        EXPECT_EQ(plan->drainTo, Pressure()) << c.name;
        const GasMix got = fillByGauge(kReal, c.problem, *plan).mix();
        EXPECT_NEAR(got.o2().value(), c.problem.required.mix.o2().value(), kFullDrainTolerance);
        EXPECT_GT(got.he().value(), 0.0) << c.name; // the atmosphere's helium stays
        EXPECT_LE(got.he().value(), kFullDrainTolerance) << c.name;
    }
}

TEST(PlanByGauge, NothingWhenNoDrainAllowsIt) {
    BlendProblem pureOxygen = emptyToTrimix1845(); // no room for any top-up gas
    pureOxygen.required.mix = GasMix::oxygen();
    BlendProblem richTopUp = emptyToTrimix1845(); // nitrox 36 overfills 32's oxygen
    richTopUp.required.mix = GasMix::percent(32.0);
    richTopUp.topUp = GasMix::percent(36.0);
    const std::pair<const char*, BlendProblem> cases[] = {{"pure oxygen", pureOxygen},
                                                          {"rich top-up", richTopUp}};
    for (const auto& [name, problem] : cases)
        EXPECT_FALSE(planByGauge(kReal, problem)) << name;
}

// A problem the window accepts: fields in range, the stops of the report passed.
Mixer windowProblem(std::mt19937& random) {
    auto pick = [&random](int low, int high) {
        return static_cast<std::int16_t>(std::uniform_int_distribution<int>(low, high)(random));
    };
    Mixer mixer;
    const std::int16_t sourcePSI = pick(0, 4000);
    const std::int16_t sourceO2 = pick(11, 100);
    const std::int16_t sourceHe = sourceO2 == 100 ? 0 : pick(0, std::min(90, 100 - sourceO2));
    const std::int16_t targetPSI = pick(sourcePSI + 1, 4500);
    const std::int16_t targetO2 = pick(5, 100);
    const std::int16_t targetHe = targetO2 == 100 ? 0 : pick(0, std::min(90, 100 - targetO2));
    const bool emptySource = pick(0, 9) == 0;
    mixer.Load(emptySource ? 0 : sourcePSI, emptySource ? 0 : sourceO2, emptySource ? 0 : sourceHe,
               emptySource ? 0 : static_cast<std::int16_t>(100 - sourceO2 - sourceHe), targetPSI,
               targetO2, targetHe, static_cast<std::int16_t>(100 - targetO2 - targetHe));
    mixer.TopupMixFO2(pick(21, 50));
    return mixer;
}

TEST(RealGasPlanSweep, PrintedReadingsLandOnTheRequiredMix) {
    std::mt19937 random(20260612);
    ReportOptions options;
    options.gas = GasModel::Virial;
    int plans = 0;
    int impossible = 0;
    for (int i = 0; i < 4000; ++i) {
        const Mixer mixer = windowProblem(random);
        const BlendReport report = requiredMixReport(mixer, "", options);
        ASSERT_FALSE(report.error) << i << ": " << report.error->description;
        if (report.outcome == Outcome::NotPossible) {
            ++impossible;
            continue;
        }
        ASSERT_TRUE(report.plan && report.plan->gauges) << i;
        const ShownGauges& shown = *report.plan->gauges;
        const BlendProblem problem = problemOf(mixer, UnitSystem::PsiAndFeet, true);
        GaugePlan readings;
        readings.drainTo = Pressure::psi(shown.drainTo.value_or(mixer.SourcePSI()));
        readings.afterHelium = Pressure::psi(shown.afterHelium);
        readings.afterOxygen = Pressure::psi(shown.afterOxygen);
        readings.afterTopUp = Pressure::psi(shown.afterTopUp);
        readings.drains = shown.drainTo.has_value();
        // Readings never go back down once filling has begun.
        EXPECT_LE(readings.drainTo, readings.afterHelium) << i;
        EXPECT_LE(readings.afterHelium, readings.afterOxygen) << i;
        EXPECT_LE(readings.afterOxygen, readings.afterTopUp) << i;

        const GasAmounts filled = fillByGauge(kReal, problem, readings);
        const GasMix got = filled.mix();
        // Whole-PSI readings place each gas only to within a PSI or so: 0.1 % of the mix from
        // 1000 PSI up, proportionally more in a cylinder filled less; a full drain leaves the
        // start's atmosphere, within half a point.
        const bool fullDrain = report.plan->fullDrainMix.has_value();
        const double tolerance =
            std::max(fullDrain ? kFullDrainTolerance + 0.001 : 0.001, 1.0 / mixer.TargetPSI());
        const auto where = [&] {
            std::ostringstream text;
            text << i << ": " << mixer.SourcePSI() << "/" << mixer.SourceO2() << "/"
                 << mixer.SourceHe() << " to " << mixer.TargetPSI() << "/" << mixer.TargetO2()
                 << "/" << mixer.TargetHe() << " with " << mixer.TopupMixFO2();
            return text.str();
        };
        EXPECT_NEAR(got.o2().value(), problem.required.mix.o2().value(), tolerance) << where();
        EXPECT_NEAR(got.he().value(), problem.required.mix.he().value(), tolerance) << where();
        EXPECT_NEAR(gaugeOf(filled), mixer.TargetPSI(), 1.0) << where();

        // The plan itself, before its readings are rounded for the gauge, is exact.
        if (fullDrain)
            continue;
        const GaugePlan exact = *planByGauge(kReal, problem);
        const GasAmounts exactFill = fillByGauge(kReal, problem, exact);
        EXPECT_NEAR(exactFill.mix().o2().value(), problem.required.mix.o2().value(), 1e-6)
            << where();
        EXPECT_NEAR(exactFill.mix().he().value(), problem.required.mix.he().value(), 1e-6)
            << where();
        EXPECT_NEAR(gaugeOf(exactFill), mixer.TargetPSI(), 0.01) << where();
        ++plans;
    }
    // Both kinds of answer are well represented, so neither check is idle.
    EXPECT_GT(plans, 1000);
    EXPECT_GT(impossible, 200);
}

} // namespace
