// The gas laws: Z against published figures, and pressure to amount and back for every gas a
// cylinder holds, across the whole range of a gauge.
#include "physics/density.h"
#include "physics/gas_law.h"
#include "physics/gerg2008.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace quillan;

namespace {

const GasMix kNitrogen = GasMix::percent(0.0);
const GasMix kTrimix1845 = GasMix::percent(18.0, 45.0);
const VirialFit kVirial;
const IdealGas kIdeal;

double z(const GasLaw& law, const GasMix& mix, double absoluteBar) {
    return *law.compressibility(mix, absoluteBar, kRoomTemperature);
}

struct ZCase {
    const char* gas;
    GasMix mix;
    double absoluteBar;
    double z;
};

class Compressibility : public testing::TestWithParam<ZCase> {};

TEST_P(Compressibility, MatchesTheFit) {
    const ZCase& c = GetParam();
    EXPECT_NEAR(z(kVirial, c.mix, c.absoluteBar), c.z, 0.0005);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Compressibility,
    testing::Values(ZCase{"helium at a full cylinder", GasMix::helium(), 208.0, 1.098},
                    ZCase{"oxygen at a full cylinder", GasMix::oxygen(), 208.0, 0.959},
                    ZCase{"air at a full cylinder", GasMix::air(), 208.0, 1.041},
                    ZCase{"nitrogen at a full cylinder", kNitrogen, 208.0, 1.062},
                    ZCase{"oxygen at 100 bar", GasMix::oxygen(), 100.0, 0.9549},
                    ZCase{"helium at 1 bar", GasMix::helium(), 1.0, 1.0005},
                    ZCase{"anything at no pressure", kTrimix1845, 0.0, 1.0},
                    // Held at its 500 bar value beyond the fit.
                    ZCase{"helium beyond the fit", GasMix::helium(), 700.0, 1.2282},
                    ZCase{"below absolute zero pressure", GasMix::oxygen(), -5.0, 1.0}),
    [](const auto& info) { return std::to_string(info.index); });

TEST(Compressibility, IsLinearInTheMixAndOneForIdealGases) {
    const double p = 208.0;
    const double expected = 0.18 * z(kVirial, GasMix::oxygen(), p) +
                            0.45 * z(kVirial, GasMix::helium(), p) +
                            0.37 * z(kVirial, kNitrogen, p);
    EXPECT_NEAR(z(kVirial, kTrimix1845, p), expected, 1e-12);
    EXPECT_EQ(z(kIdeal, kTrimix1845, p), 1.0);
}

TEST(Pressure, PsiGaugeToAbsoluteBar) {
    EXPECT_NEAR(Pressure::psi(0.0).absoluteBar(), 1.01325, 0.0001);
    EXPECT_NEAR(Pressure::psi(3000.0).absoluteBar(), 207.85, 0.01);
    EXPECT_NEAR(Pressure::fromAbsoluteBar(Pressure::psi(1234.5).absoluteBar()).inPsi(), 1234.5,
                1e-9);
}

// Every gauge reading 0..5000 PSI, 10 PSI apart, for each gas: the amount the cylinder holds
// shows the same reading to within 0.01 PSI.
TEST(GaugeOf, RoundTripsEveryGasAcrossTheGauge) {
    const CylinderGas cylinder{kVirial};
    const GasMix gases[] = {GasMix::oxygen(), GasMix::helium(), kNitrogen,
                            GasMix::air(),    kTrimix1845,      GasMix::percent(50.0, 50.0)};
    for (const GasMix& gas : gases) {
        for (int gauge = 0; gauge <= 5000; gauge += 10) {
            const GasAmounts amounts = amountsOf(gas, cylinder.amountAt(gas, Pressure::psi(gauge)));
            const std::optional<Pressure> shown = cylinder.gaugeOf(amounts);
            ASSERT_TRUE(shown) << gauge;
            EXPECT_NEAR(shown->inPsi(), gauge, 0.01)
                << "O2 " << gas.o2().value() << " He " << gas.he().value() << " at " << gauge;
        }
    }
}

TEST(GaugeOf, IsTheAmountForIdealGasesAndFailsRatherThanGuess) {
    const CylinderGas ideal{kIdeal, kRoomTemperature, false};
    EXPECT_DOUBLE_EQ(ideal.gaugeOf({10.0, 20.0, 30.0})->inBar(), 60.0);
    // Amounts no pressure can hold: nothing, never a number.
    const CylinderGas real{kVirial};
    EXPECT_FALSE(real.gaugeOf({std::nan(""), 0.0, 0.0}));
    EXPECT_FALSE(real.gaugeOf({0.0, HUGE_VAL, 0.0}));
}

TEST(AmountToReach, FillsExactlyToTheReading) {
    const CylinderGas real{kVirial};
    GasAmounts cylinder =
        amountsOf(GasMix::air(), real.amountAt(GasMix::air(), Pressure::psi(500)));
    cylinder.add(GasMix::helium(),
                 *real.amountToReach(cylinder, GasMix::helium(), Pressure::psi(2000)));
    EXPECT_NEAR(real.gaugeOf(cylinder)->inPsi(), 2000.0, 1e-6);
    // A reading the cylinder shows already needs a negative amount.
    EXPECT_LT(*real.amountToReach(cylinder, GasMix::oxygen(), Pressure::psi(1000)), 0.0);
}

// Pressure is proportional to absolute temperature for a fixed amount of ideal gas.
TEST(CylinderGas, AHotterCylinderReadsMore) {
    const CylinderGas cool{kIdeal, Temperature::celsius(20.0)};
    const CylinderGas hot{kIdeal, Temperature::celsius(50.0)};
    const GasAmounts gas =
        amountsOf(GasMix::air(), cool.amountAt(GasMix::air(), Pressure::bar(200)));
    EXPECT_NEAR(hot.gaugeOf(gas)->absoluteBar(), 201.01325 * 323.15 / 293.15, 1e-6);
}

} // namespace

namespace {

// Densities by hand from the ideal gas law at 20 C, and the reference law within 1 % there.
TEST(GasDensity, ByHandAtDepth) {
    struct Case {
        const char* name;
        GasMix mix;
        double metres;
        double gramsPerLitre;
    };
    const Case cases[] = {{"air at the surface", GasMix::air(), 0.0, 1.204},
                          {"20/46 at 60 m", GasMix::percent(20, 46), 60.0, 5.170},
                          {"20/43 at 60 m", GasMix::percent(20, 43), 60.0, 5.379},
                          {"28/20 at 40 m", GasMix::percent(28, 20), 40.0, 5.06}};
    const Gerg2008 reference;
    for (const Case& c : cases) {
        const double bar = ambientBar(c.metres, kMetresOfSeaWater);
        EXPECT_NEAR(*gasDensity(kIdeal, c.mix, bar), c.gramsPerLitre, 0.005) << c.name;
        EXPECT_NEAR(*gasDensity(reference, c.mix, bar), c.gramsPerLitre, c.gramsPerLitre * 0.01)
            << c.name;
    }
}

} // namespace
