// The compressibility model: Z against published figures, and pressure to amount and back
// for every gas a cylinder holds, across the whole range of a gauge.
#include "report/real_gas.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace quillan::report;

namespace {

const GasFractions kNitrogen{0.0, 0.0, 1.0};
const GasFractions kTrimix1845{0.18, 0.45, 0.37};

struct ZCase {
    const char* gas;
    GasFractions mix;
    double absoluteBar;
    double z;
};

class Compressibility : public testing::TestWithParam<ZCase> {};

TEST_P(Compressibility, MatchesTheFit) {
    const ZCase& c = GetParam();
    EXPECT_NEAR(compressibility(GasLaw::real(), c.mix, c.absoluteBar), c.z, 0.0005);
}

INSTANTIATE_TEST_SUITE_P(Table, Compressibility,
                         testing::Values(ZCase{"helium at a full cylinder", kHelium, 208.0, 1.098},
                                         ZCase{"oxygen at a full cylinder", kOxygen, 208.0, 0.959},
                                         ZCase{"air at a full cylinder", kAir, 208.0, 1.041},
                                         ZCase{"nitrogen at a full cylinder", kNitrogen, 208.0,
                                               1.062},
                                         ZCase{"oxygen at 100 bar", kOxygen, 100.0, 0.9549},
                                         ZCase{"helium at 1 bar", kHelium, 1.0, 1.0005},
                                         ZCase{"anything at no pressure", kTrimix1845, 0.0, 1.0},
                                         // Held at its 500 bar value beyond the fit.
                                         ZCase{"helium beyond the fit", kHelium, 700.0, 1.2282},
                                         ZCase{"below absolute zero pressure", kOxygen, -5.0, 1.0}),
                         [](const auto& info) { return std::to_string(info.index); });

TEST(Compressibility, IsLinearInTheMixAndOneForIdealGases) {
    const double p = 208.0;
    const double expected = 0.18 * compressibility(GasLaw::real(), kOxygen, p) +
                            0.45 * compressibility(GasLaw::real(), kHelium, p) +
                            0.37 * compressibility(GasLaw::real(), kNitrogen, p);
    EXPECT_NEAR(compressibility(GasLaw::real(), kTrimix1845, p), expected, 1e-12);
    EXPECT_EQ(compressibility(GasLaw::ideal(), kTrimix1845, p), 1.0);
}

TEST(PressureScale, PsiGaugeToAbsoluteBar) {
    const PressureScale psi = PressureScale::psi();
    EXPECT_NEAR(psi.absoluteBar(0.0), 1.01325, 0.0001);
    EXPECT_NEAR(psi.absoluteBar(3000.0), 207.85, 0.01);
    EXPECT_NEAR(psi.gauge(psi.absoluteBar(1234.5)), 1234.5, 1e-9);
}

// Every gauge reading 0..5000 PSI, 10 PSI apart, for each gas: the amount the cylinder holds
// shows the same reading to within 0.01 PSI.
TEST(PressureOf, RoundTripsEveryGasAcrossTheGauge) {
    const PressureScale psi = PressureScale::psi();
    const GasFractions gases[] = {kOxygen, kHelium, kNitrogen, kAir, kTrimix1845, {0.5, 0.5, 0.0}};
    for (const GasFractions& gas : gases) {
        for (int gauge = 0; gauge <= 5000; gauge += 10) {
            GasAmounts amounts;
            amounts.add(gas, amountAt(GasLaw::real(), gas, psi.absoluteBar(gauge)));
            const std::optional<double> bar = pressureOf(GasLaw::real(), amounts);
            ASSERT_TRUE(bar) << gauge;
            EXPECT_NEAR(psi.gauge(*bar), gauge, 0.01)
                << "O2 " << gas.o2 << " He " << gas.he << " at " << gauge;
        }
    }
}

TEST(PressureOf, IsTheAmountForIdealGasesAndFailsRatherThanGuess) {
    EXPECT_DOUBLE_EQ(*pressureOf(GasLaw::ideal(), {10.0, 20.0, 30.0}), 60.0);
    // Amounts no pressure can hold: nothing, never a number.
    EXPECT_FALSE(pressureOf(GasLaw::real(), {std::nan(""), 0.0, 0.0}));
    EXPECT_FALSE(pressureOf(GasLaw::real(), {0.0, HUGE_VAL, 0.0}));
}

TEST(AmountToReach, FillsExactlyToTheReading) {
    const PressureScale psi = PressureScale::psi();
    GasAmounts cylinder;
    cylinder.add(kAir, amountAt(GasLaw::real(), kAir, psi.absoluteBar(500.0)));
    const double helium = amountToReach(GasLaw::real(), cylinder, kHelium, psi.absoluteBar(2000.0));
    cylinder.add(kHelium, helium);
    EXPECT_NEAR(psi.gauge(*pressureOf(GasLaw::real(), cylinder)), 2000.0, 1e-6);
    // A reading the cylinder shows already needs a negative amount.
    EXPECT_LT(amountToReach(GasLaw::real(), cylinder, kOxygen, psi.absoluteBar(1000.0)), 0.0);
}

} // namespace
