// Both commands' reports with real gases: gauge readings instead of added pressures, the
// ideal-figures line, and the answers that are not plans.
#include "report/blend_report.h"
#include "report_test_support.h"
#include "rules/limits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace quillan;
using namespace quillan::report;
using namespace quillan::report::test;

namespace {

Mixer mixerOf(std::int16_t sourcePSI, std::int16_t sourceO2, std::int16_t sourceHe,
              std::int16_t targetPSI, std::int16_t targetO2, std::int16_t targetHe,
              std::int16_t topUpO2 = 21) {
    const bool empty = sourceO2 == 0 && sourceHe == 0;
    Mixer mixer;
    mixer.Load(sourcePSI, sourceO2, sourceHe,
               empty ? std::int16_t{0} : static_cast<std::int16_t>(100 - sourceO2 - sourceHe),
               targetPSI, targetO2, targetHe, static_cast<std::int16_t>(100 - targetO2 - targetHe));
    mixer.TopupMixFO2(topUpO2);
    return mixer;
}

ReportOptions realGas(NumberLocale numbers = NumberLocale::classic()) {
    ReportOptions options;
    options.gas = GasModel::Virial;
    options.numbers = std::move(numbers);
    return options;
}

std::vector<std::string> tail(const BlendReport& report, std::size_t from) {
    if (report.lines.size() < from)
        return {};
    return {report.lines.begin() + static_cast<std::ptrdiff_t>(from), report.lines.end()};
}

TEST(RealGasRequiredMix, EmptyCylinderToTrimix1845) {
    const BlendReport report =
        requiredMixReport(mixerOf(0, 0, 0, 3000, 18, 45), "06-Dec-2026  05:18 AM", realGas());
    ASSERT_EQ(report.outcome, Outcome::Plan);
    const std::vector<std::string> expected{
        "Calculate [Empty cylinder] to Trimix 18/45 by adding He, O2 and Air",
        kSeparator,
        "Mixing",
        kSeparator,
        "Starting [Empty cylinder] PSI should be 0",
        "Add He until the gauge reads 1337 PSI",
        "Add O2 until the gauge reads 1568 PSI",
        "Add Air until the gauge reads 3000 PSI",
        "Ending PSI should be 3000",
        "",
        "Final Mix: Trimix 18/45",
        kSeparator,
        "MOD 260 fsw",
        "PO2 1.60",
        "END 104 fsw",
        "Ideal-gas figures would have given O2 18.3 %, He 45.6 %",
    };
    EXPECT_EQ(tail(report, 1), expected);
    const ShownPlan& plan = *report.plan;
    ASSERT_TRUE(plan.gauges);
    EXPECT_FALSE(plan.gauges->drainTo);
    EXPECT_EQ(plan.helium, 1337);
    EXPECT_EQ(plan.oxygen, 1568 - 1337);
    EXPECT_EQ(plan.topUp, 3000 - 1568);
    EXPECT_EQ(report.targetDepth, std::optional<std::int16_t>(260));
}

TEST(RealGasRequiredMix, DrainIsAReadingAndTheFiguresUseTheLocale) {
    const BlendReport report =
        requiredMixReport(mixerOf(1000, 80, 0, 3000, 32, 0), "", realGas({",", "."}));
    ASSERT_EQ(report.outcome, Outcome::Plan);
    const ShownPlan& plan = *report.plan;
    ASSERT_TRUE(plan.gauges && plan.gauges->drainTo);
    const std::string drainTo = std::to_string(int(*plan.gauges->drainTo));
    const std::vector<std::string> mixing{
        "Mixing",
        kSeparator,
        "Drain the starting Mix until the gauge reads " + drainTo + " PSI",
        "Starting Nitrox 80 PSI should be " + drainTo,
        "Add Air until the gauge reads 3000 PSI",
        "Ending PSI should be 3000",
    };
    const std::vector<std::string> lines = tail(report, 3);
    ASSERT_GE(lines.size(), mixing.size());
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 6), mixing);
    EXPECT_EQ(plan.drain, 1000 - *plan.gauges->drainTo);
    EXPECT_EQ(plan.helium, 0);
    EXPECT_EQ(plan.oxygen, 0);
    // One decimal, written with the user's separator.
    EXPECT_NE(lines.back().find("Ideal-gas figures would have given O2 3"), std::string::npos);
    EXPECT_NE(lines.back().find(","), std::string::npos) << lines.back();
    EXPECT_EQ(lines.back().find("."), std::string::npos) << lines.back();
}

struct NoPlanCase {
    const char* name;
    Mixer problem;
    Outcome outcome;
    std::string lastLine;
};

TEST(RealGasRequiredMix, AnswersThatAreNotPlans) {
    const std::vector<NoPlanCase> cases{
        // Drained to 0 PSI the cylinder still holds an atmosphere of heliox: 2.3 % of 300 PSI.
        {"helium cannot leave", mixerOf(1000, 21, 50, 300, 32, 0), Outcome::NotPossible,
         std::string(kMixImpossible)},
        {"no room for top-up gas", mixerOf(0, 0, 0, 3000, 100, 0), Outcome::NotPossible,
         std::string(kMixImpossible)},
        {"rich top-up gas", mixerOf(0, 0, 0, 3000, 32, 0, 36), Outcome::NotPossible,
         std::string(kMixImpossible)},
        {"stops as with ideal gas", mixerOf(3000, 10, 0, 3000, 32, 0), Outcome::NotPossible,
         std::string(kLowSourceO2Text)},
    };
    for (const NoPlanCase& c : cases) {
        const BlendReport report = requiredMixReport(c.problem, "", realGas());
        EXPECT_EQ(report.outcome, c.outcome) << c.name;
        ASSERT_FALSE(report.lines.empty()) << c.name;
        EXPECT_EQ(report.lines.back(), c.lastLine) << c.name;
        EXPECT_FALSE(report.plan) << c.name;
    }
}

TEST(RealGasRequiredMix, BadTopUpGasFailsAsWithIdealGas) {
    for (const std::int16_t topUpO2 : {std::int16_t{20}, std::int16_t{100}}) {
        const Mixer problem = mixerOf(0, 0, 0, 3000, 32, 0, topUpO2);
        const BlendReport ideal = requiredMixReport(problem, "", {});
        const BlendReport real = requiredMixReport(problem, "", realGas());
        ASSERT_TRUE(ideal.error && real.error) << topUpO2;
        EXPECT_EQ(real.error->number, ideal.error->number) << topUpO2;
        EXPECT_EQ(real.lines, ideal.lines) << topUpO2;
    }
}

struct TopUpCase {
    const char* name;
    Mixer problem;
    WholePercent mix;
    std::string addLine;
    std::string idealLine;
};

TEST(RealGasTopUp, ReportsTheRealMixAndTheIdealPrediction) {
    const std::vector<TopUpCase> cases{
        {"air into an empty cylinder",
         mixerOf(0, 0, 0, 3000, 0, 0),
         {21, 0, 79},
         "Add Air until the gauge reads 3000 PSI",
         "Ideal-gas figures would have given O2 21.0 %, He 0.0 %"},
        // The nitrox added to reach 3000 PSI is less than the ideal law says: the helium
        // already in makes the pressure climb faster. 27.1/15.6 rounds to 27/16.
        {"trimix topped with nitrox 32",
         mixerOf(1000, 18, 45, 3000, 0, 0, 32),
         {27, 16, 57},
         "Add Nitrox 32 until the gauge reads 3000 PSI",
         "Ideal-gas figures would have given O2 27.3 %, He 15.1 %"},
    };
    for (const TopUpCase& c : cases) {
        const BlendReport report = topUpReport(c.problem, "", realGas());
        ASSERT_EQ(report.outcome, Outcome::Plan) << c.name;
        EXPECT_EQ(report.requiredMix, std::optional<WholePercent>(c.mix)) << c.name;
        ASSERT_GE(report.lines.size(), 8u) << c.name;
        EXPECT_EQ(report.lines[6], c.addLine) << c.name;
        EXPECT_EQ(report.lines.back(), c.idealLine) << c.name;
    }
}

} // namespace

namespace {

// 1000 PSI of air to 3000 PSI of 18/45: after 1350 PSI of helium the 210 PSI of oxygen is
// 8.9 % of 2350; after 245 PSI of oxygen, 455 of 2595 is 17.5 %. Under the reference law the
// lines come without asking, and a density line follows END.
TEST(Checkpoints, AnalyserReadingsByHand) {
    ReportOptions asked;
    asked.checkpoints = true;
    const BlendReport ideal = requiredMixReport(mixerOf(1000, 21, 0, 3000, 18, 45), "", asked);
    ASSERT_GE(ideal.lines.size(), 10u);
    EXPECT_EQ(ideal.lines[6], "Add 1350 PSI of He");
    EXPECT_EQ(ideal.lines[7], "Analyse: O2 should read 8.9 %");
    EXPECT_EQ(ideal.lines[8], "Add 245 PSI of O2");
    EXPECT_EQ(ideal.lines[9], "Analyse: O2 should read 17.5 %");
    EXPECT_EQ(ideal.lines.back().rfind("Density at MOD ", 0), 0u);

    ReportOptions reference;
    reference.gas = GasModel::Gerg2008;
    const BlendReport real = requiredMixReport(mixerOf(1000, 21, 0, 3000, 18, 45), "", reference);
    const auto starting = [&](const std::string& start) {
        return std::count_if(real.lines.begin(), real.lines.end(),
                             [&](const std::string& line) { return line.rfind(start, 0) == 0; });
    };
    EXPECT_EQ(starting("Analyse: O2 should read "), 2);
    EXPECT_EQ(starting("Density at MOD "), 1);
    // Without asking, the classic report has neither.
    EXPECT_EQ(requiredMixReport(mixerOf(1000, 21, 0, 3000, 18, 45), "", {}).lines.size(),
              ideal.lines.size() - 3);
}

} // namespace
