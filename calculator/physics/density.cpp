#include "physics/density.h"

namespace quillan {

namespace {

constexpr double kO2MolarMass = 31.998;
constexpr double kHeMolarMass = 4.0026;
constexpr double kN2MolarMass = 28.0134;
constexpr double kGasConstant = 8.314462618; // J / (mol K)

} // namespace

double molarMass(const GasMix& mix) {
    return mix.o2().value() * kO2MolarMass + mix.he().value() * kHeMolarMass +
           mix.n2().value() * kN2MolarMass;
}

double ambientBar(double depth, SeaWaterScale scale) {
    return (depth / scale.depthPerAtmosphere + 1.0) * kAtmosphereBar;
}

std::optional<double> gasDensity(const GasLaw& law, const GasMix& mix, double absoluteBar) {
    const std::optional<double> z = law.compressibility(mix, absoluteBar, kBreathingTemperature);
    if (!z)
        return std::nullopt;
    // bar to Pa is 1e5, and g/m^3 to g/L is 1e-3.
    return absoluteBar * 100.0 * molarMass(mix) /
           (*z * kGasConstant * kBreathingTemperature.inKelvin());
}

} // namespace quillan
