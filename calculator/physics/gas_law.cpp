#include "physics/gas_law.h"

#include <algorithm>
#include <cmath>

namespace quillan {

namespace {

// Newton's steps needed are 3 to 5; the bound only guards against a broken input.
constexpr int kMaxNewtonSteps = 50;
// Far below the 0.01 PSI (0.0007 bar) the readings need.
constexpr double kSettledBar = 1e-9;
constexpr double kVirialLimitBar = 500.0;

struct Cubic {
    double c1, c2, c3;
    double at(double p) const { return ((c3 * p + c2) * p + c1) * p; }
};
constexpr Cubic kO2Fit{-7.18092073703e-4, 2.81852572808e-6, -1.50290620492e-9};
constexpr Cubic kHeFit{4.87320026468e-4, -8.83632921053e-8, 5.33304543646e-11};
constexpr Cubic kN2Fit{-2.19260353292e-4, 2.92844845532e-6, -2.07613482075e-9};

// Amounts are counted at 20 °C: a hotter cylinder shows more pressure for the same gas.
double temperatureRatio(Temperature t) {
    return t.inKelvin() / kRoomTemperature.inKelvin();
}

} // namespace

std::optional<double> VirialFit::compressibility(const GasMix& mix, double absoluteBar,
                                                 Temperature) const {
    const double p = std::clamp(absoluteBar, 0.0, kVirialLimitBar);
    return 1.0 + (mix.o2().value() * kO2Fit.at(p) + mix.he().value() * kHeFit.at(p) +
                  mix.n2().value() * kN2Fit.at(p));
}

GasMix GasAmounts::mix() const {
    const double sum = total();
    if (sum <= 0.0)
        return GasMix::percent(0.0);
    return {GasFraction::fraction(o2 / sum), GasFraction::fraction(he / sum)};
}

void GasAmounts::add(const GasMix& gas, double amount) {
    o2 += gas.o2().value() * amount;
    he += gas.he().value() * amount;
    n2 += gas.n2().value() * amount;
}

GasAmounts amountsOf(const GasMix& gas, double amount) {
    GasAmounts amounts;
    amounts.add(gas, amount);
    return amounts;
}

double CylinderGas::amountAt(const GasMix& mix, Pressure gauge) const {
    const double absolute = countsAtmosphere ? gauge.absoluteBar() : gauge.inBar();
    const std::optional<double> z = law.compressibility(mix, absolute, temperature);
    if (!z)
        return NAN;
    return absolute / *z / temperatureRatio(temperature);
}

std::optional<Pressure> CylinderGas::gaugeOf(const GasAmounts& amounts) const {
    // P / Z(P) = n scaled to the temperature, solved for P by Newton's method with a
    // difference quotient for the slope.
    const GasMix mix = amounts.mix();
    const double n = amounts.total() * temperatureRatio(temperature);
    const auto residual = [&](double p) -> std::optional<double> {
        const std::optional<double> z = law.compressibility(mix, p, temperature);
        if (!z)
            return std::nullopt;
        return p / *z - n;
    };
    double p = n;
    for (int step = 0; step < kMaxNewtonSteps; ++step) {
        const std::optional<double> r = residual(p);
        const double h = std::max(1e-6, std::fabs(p) * 1e-7);
        const std::optional<double> rh = residual(p + h);
        if (!r || !rh)
            return std::nullopt;
        const double slope = (*rh - *r) / h;
        if (!(slope > 0.0))
            return std::nullopt;
        const double next = p - *r / slope;
        if (!std::isfinite(next))
            return std::nullopt;
        if (std::fabs(next - p) <= kSettledBar) {
            const double bar = countsAtmosphere ? next - kAtmosphereBar : next;
            return Pressure::bar(bar);
        }
        p = next;
    }
    return std::nullopt;
}

std::optional<double> CylinderGas::amountToReach(const GasAmounts& have, const GasMix& gas,
                                                 Pressure gauge) const {
    // The cylinder at `gauge` holds amountAt(mix(x)); the added x is found where the two
    // agree, by the secant method from the ideal first guess.
    const auto gap = [&](double x) {
        GasAmounts after = have;
        after.add(gas, x);
        return amountAt(after.mix(), gauge) - after.total();
    };
    double x0 = 0.0;
    double g0 = gap(x0);
    if (!std::isfinite(g0))
        return std::nullopt;
    // Reading that much already: nothing to add, and taking gas out is no step of a fill.
    if (g0 <= 0.0)
        return g0;
    double x1 = g0;
    for (int step = 0; step < kMaxNewtonSteps; ++step) {
        const double g1 = gap(x1);
        if (!std::isfinite(g1))
            return std::nullopt;
        if (std::fabs(g1) <= kSettledBar || g1 == g0)
            return x1;
        double next = x1 - g1 * (x1 - x0) / (g1 - g0);
        // The amount to add is positive: a step past 0 is halved back towards it.
        if (next <= 0.0)
            next = x1 / 2.0;
        x0 = x1;
        g0 = g1;
        x1 = next;
    }
    return std::nullopt;
}

} // namespace quillan
