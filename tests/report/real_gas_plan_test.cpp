// Real-gas plans: the worked trimix fill, and thousands of window problems whose printed
// gauge readings, filled by through the model, must land on the required mix and pressure.
#include "report/blend_report.h"
#include "report/real_gas_plan.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <sstream>

using namespace quillan;
using namespace quillan::report;

namespace {

const PressureScale kPsi = PressureScale::psi();

// An empty cylinder (one atmosphere of air) to 3000 PSI of trimix 18/45, topped up with air.
GaugeBlendProblem emptyToTrimix1845() {
    GaugeBlendProblem p;
    p.sourceGauge = 0.0;
    p.source = kAir;
    p.targetGauge = 3000.0;
    p.target = {0.18, 0.45, 0.37};
    p.topUpO2 = 0.21;
    return p;
}

double gaugeOf(const GasAmounts& amounts) {
    return kPsi.gauge(*pressureOf(GasLaw::real(), amounts));
}

TEST(PlanByGauge, EmptyCylinderToTrimix1845) {
    const GaugeBlendProblem problem = emptyToTrimix1845();
    const std::optional<GaugePlan> plan = planByGauge(GasLaw::real(), problem);
    ASSERT_TRUE(plan);
    EXPECT_FALSE(plan->drains);
    EXPECT_NEAR(plan->afterHelium, 1337.0, 5.0);
    EXPECT_NEAR(plan->afterOxygen, 1568.0, 5.0);
    EXPECT_EQ(plan->afterTopUp, 3000.0);

    const GasAmounts filled = fillByGauge(GasLaw::real(), problem, *plan);
    EXPECT_NEAR(gaugeOf(filled), 3000.0, 0.01);
    EXPECT_NEAR(filled.fractions().o2, 0.18, 1e-9);
    EXPECT_NEAR(filled.fractions().he, 0.45, 1e-9);
}

TEST(PlanByGauge, TheIdealFiguresFilledForRealMissTheMix) {
    const GaugeBlendProblem problem = emptyToTrimix1845();
    const std::optional<GaugePlan> ideal = planByGauge(GasLaw::ideal(), problem);
    ASSERT_TRUE(ideal);
    // Helium 45 % of 3014.7 PSI absolute, on top of the atmosphere of air already there.
    EXPECT_NEAR(ideal->afterHelium, 1356.6, 0.1);
    const GasFractions got = fillByGauge(GasLaw::real(), problem, *ideal).fractions();
    EXPECT_NEAR(got.o2 * 100.0, 18.3, 0.1);
    EXPECT_NEAR(got.he * 100.0, 45.6, 0.1);
}

TEST(PlanByGauge, DrainsOnlyWhatTheMixNeeds) {
    // 1000 PSI of nitrox 80 to 3000 PSI of nitrox 32 with air: too much oxygen to keep it all.
    GaugeBlendProblem problem;
    problem.sourceGauge = 1000.0;
    problem.source = {0.80, 0.0, 0.20};
    problem.targetGauge = 3000.0;
    problem.target = {0.32, 0.0, 0.68};
    const std::optional<GaugePlan> plan = planByGauge(GasLaw::real(), problem);
    ASSERT_TRUE(plan);
    ASSERT_TRUE(plan->drains);
    // The ideal plan drains to 559 PSI; oxygen's lower Z leaves less to keep.
    EXPECT_GT(plan->drainTo, 500.0);
    EXPECT_LT(plan->drainTo, 559.0);
    EXPECT_EQ(plan->afterOxygen, plan->drainTo); // no oxygen added
    const GasFractions got = fillByGauge(GasLaw::real(), problem, *plan).fractions();
    EXPECT_NEAR(got.o2, 0.32, 1e-9);
    // Keeping one PSI more would already overshoot the oxygen.
    GaugePlan keepMore = *plan;
    keepMore.drainTo += 1.0;
    EXPECT_GT(fillByGauge(GasLaw::real(), problem, keepMore).fractions().o2, 0.3201);
}

struct ImpossibleCase {
    const char* name;
    GaugeBlendProblem problem;
};

TEST(PlanByGauge, NothingWhenNoDrainAllowsIt) {
    GaugeBlendProblem heliumLeft; // a drained cylinder still holds an atmosphere of heliox
    heliumLeft.sourceGauge = 1000.0;
    heliumLeft.source = {0.21, 0.50, 0.29};
    heliumLeft.targetGauge = 3000.0;
    heliumLeft.target = {0.32, 0.0, 0.68};
    GaugeBlendProblem pureOxygen = emptyToTrimix1845(); // no room for any top-up gas
    pureOxygen.target = kOxygen;
    GaugeBlendProblem richTopUp = emptyToTrimix1845(); // nitrox 36 overfills 32's oxygen
    richTopUp.target = {0.32, 0.0, 0.68};
    richTopUp.topUpO2 = 0.36;
    for (const ImpossibleCase& c :
         {ImpossibleCase{"helium left", heliumLeft}, ImpossibleCase{"pure oxygen", pureOxygen},
          ImpossibleCase{"rich top-up", richTopUp}}) {
        EXPECT_FALSE(planByGauge(GasLaw::real(), c.problem)) << c.name;
    }
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

GaugeBlendProblem problemOf(const Mixer& m) {
    GaugeBlendProblem p;
    p.sourceGauge = m.SourcePSI();
    const bool empty = m.SourceO2() == 0 && m.SourceHe() == 0 && m.SourceN() == 0;
    p.source = empty ? kAir
                     : GasFractions{m.SourceO2() / 100.0, m.SourceHe() / 100.0,
                                    (100 - m.SourceO2() - m.SourceHe()) / 100.0};
    p.targetGauge = m.TargetPSI();
    p.target = {m.TargetO2() / 100.0, m.TargetHe() / 100.0,
                (100 - m.TargetO2() - m.TargetHe()) / 100.0};
    p.topUpO2 = m.TopupMixFO2() / 100.0;
    return p;
}

TEST(RealGasPlanSweep, PrintedReadingsLandOnTheRequiredMix) {
    std::mt19937 random(20260612);
    ReportOptions options;
    options.gas = GasModel::RealGas;
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
        const GaugeReadings& shown = *report.plan->gauges;
        const GaugeBlendProblem problem = problemOf(mixer);
        const GaugePlan readings{double(shown.drainTo.value_or(mixer.SourcePSI())),
                                 double(shown.afterHelium), double(shown.afterOxygen),
                                 double(shown.afterTopUp), shown.drainTo.has_value()};
        // Readings never go back down once filling has begun.
        EXPECT_LE(readings.drainTo, readings.afterHelium) << i;
        EXPECT_LE(readings.afterHelium, readings.afterOxygen) << i;
        EXPECT_LE(readings.afterOxygen, readings.afterTopUp) << i;

        const GasAmounts filled = fillByGauge(GasLaw::real(), problem, readings);
        const GasFractions got = filled.fractions();
        // Whole-PSI readings place each gas only to within a PSI or so: 0.1 % of the mix from
        // 1000 PSI up, proportionally more in a cylinder filled less.
        const double tolerance = std::max(0.001, 1.0 / mixer.TargetPSI());
        const auto where = [&] {
            std::ostringstream text;
            text << i << ": " << mixer.SourcePSI() << "/" << mixer.SourceO2() << "/"
                 << mixer.SourceHe() << " to " << mixer.TargetPSI() << "/" << mixer.TargetO2()
                 << "/" << mixer.TargetHe() << " with " << mixer.TopupMixFO2();
            return text.str();
        };
        EXPECT_NEAR(got.o2, problem.target.o2, tolerance) << where();
        EXPECT_NEAR(got.he, problem.target.he, tolerance) << where();
        EXPECT_NEAR(gaugeOf(filled), mixer.TargetPSI(), 1.0) << where();

        // The plan itself, before its readings are rounded for the gauge, is exact.
        const GaugePlan exact = *planByGauge(GasLaw::real(), problem);
        const GasAmounts exactFill = fillByGauge(GasLaw::real(), problem, exact);
        EXPECT_NEAR(exactFill.fractions().o2, problem.target.o2, 1e-6) << where();
        EXPECT_NEAR(exactFill.fractions().he, problem.target.he, 1e-6) << where();
        EXPECT_NEAR(gaugeOf(exactFill), mixer.TargetPSI(), 0.01) << where();
        ++plans;
    }
    // Both kinds of answer are well represented, so neither check is idle.
    EXPECT_GT(plans, 1000);
    EXPECT_GT(impossible, 200);
}

} // namespace
