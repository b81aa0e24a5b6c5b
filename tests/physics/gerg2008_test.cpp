// GERG-2008 against reference Z for the gases and blends a diver fills, and refusals outside
// the range the equation holds for.
#include "physics/gerg2008.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace quillan;

namespace {

struct GergCase {
    const char* name;
    GasMix mix;
    double absoluteBar;
    double celsius;
    double z;
    double relative;
};

const GasMix kGergN2 = GasMix::percent(0.0);
const GasMix kGergHe = GasMix::helium();
const GasMix kGergO2 = GasMix::oxygen();
constexpr double kGergRef = 1e-4;   // reference values to 1 part in 10,000
constexpr double kGergRough = 2e-4; // four-figure values

class Gerg2008Z : public testing::TestWithParam<GergCase> {};

TEST_P(Gerg2008Z, MatchesReference) {
    const GergCase& c = GetParam();
    const std::optional<double> z =
        Gerg2008().compressibility(c.mix, c.absoluteBar, Temperature::celsius(c.celsius));
    ASSERT_TRUE(z.has_value());
    EXPECT_NEAR(*z / c.z - 1.0, 0.0, c.relative) << "Z = " << *z;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Gerg2008Z,
    testing::Values(GergCase{"He100", kGergHe, 100, 20, 1.048309, kGergRef},
                    GergCase{"He200", kGergHe, 200, 20, 1.094694, kGergRef},
                    GergCase{"He300", kGergHe, 300, 20, 1.139764, kGergRef},
                    GergCase{"He200at0C", kGergHe, 200, 0, 1.102320, kGergRef},
                    GergCase{"He200at40C", kGergHe, 200, 40, 1.088017, kGergRef},
                    GergCase{"O2_100", kGergO2, 100, 20, 0.946905, kGergRef},
                    GergCase{"O2_200", kGergO2, 200, 20, 0.939017, kGergRef},
                    GergCase{"O2_300", kGergO2, 300, 20, 0.978505, kGergRef},
                    GergCase{"N2_100", kGergN2, 100, 20, 1.000754, kGergRef},
                    GergCase{"N2_200", kGergN2, 200, 20, 1.051782, kGergRef},
                    GergCase{"N2_300", kGergN2, 300, 20, 1.139988, kGergRef},
                    GergCase{"Air200", GasMix::air(), 200, 20, 1.027906, kGergRef},
                    GergCase{"Ean32_200", GasMix::percent(32), 200, 20, 1.015551, kGergRef},
                    GergCase{"Tx1845_200", GasMix::percent(18, 45), 200, 20, 1.111905, kGergRef},
                    GergCase{"Tx1070_200", GasMix::percent(10, 70), 200, 20, 1.120188, kGergRef},
                    GergCase{"Tx1070_300", GasMix::percent(10, 70), 300, 20, 1.183074, kGergRef},
                    GergCase{"Tx2135_232", GasMix::percent(21, 35), 232, 20, 1.1230, kGergRough},
                    GergCase{"Tx1845_232", GasMix::percent(18, 45), 232, 20, 1.1337, kGergRough}),
    [](const auto& info) { return std::string(info.param.name); });

struct GergRefusal {
    const char* name;
    GasMix mix;
    double absoluteBar;
    double kelvin;
};

class Gerg2008Refuses : public testing::TestWithParam<GergRefusal> {};

TEST_P(Gerg2008Refuses, OutsideItsRange) {
    const GergRefusal& c = GetParam();
    const Temperature t = Temperature::kelvin(c.kelvin);
    EXPECT_FALSE(Gerg2008().compressibility(c.mix, c.absoluteBar, t).has_value());
    EXPECT_FALSE(Gerg2008::molarDensity(c.mix, c.absoluteBar, t).has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Table, Gerg2008Refuses,
    testing::Values(GergRefusal{"FiveKelvin", GasMix::air(), 200, 5},
                    GergRefusal{"Hot", GasMix::air(), 200, 500},
                    GergRefusal{"TwoThousandBar", kGergHe, 2000, 293.15},
                    GergRefusal{"NegativePressure", kGergHe, -1, 293.15},
                    GergRefusal{"NaNFraction", GasMix::percent(NAN, 35), 200, 293.15},
                    GergRefusal{"NaNPressure", kGergN2, NAN, 293.15},
                    GergRefusal{"LiquidOxygen", kGergO2, 100, 90},
                    GergRefusal{"OverfullMix", GasMix::percent(80, 40), 200, 293.15}),
    [](const auto& info) { return std::string(info.param.name); });

// The density Z is built on: P = rho R T Z with GERG-2008's own R.
TEST(Gerg2008, DensityAgreesWithZ) {
    const Temperature t = Temperature::celsius(20.0);
    const GasMix mix = GasMix::percent(18, 45);
    const double rho = *Gerg2008::molarDensity(mix, 232.0, t);
    const double z = *Gerg2008().compressibility(mix, 232.0, t);
    EXPECT_NEAR(rho * 8.314472 * t.inKelvin() * z / 100.0, 232.0, 1e-8);
}

} // namespace
