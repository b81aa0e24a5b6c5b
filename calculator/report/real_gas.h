// Compressibility of breathing gases at fill pressures: how much gas a cylinder holds at a
// pressure, and the pressure a given amount of gas shows. Works in absolute bar throughout;
// PressureScale converts the gauge readings of whatever unit the user works in.
#pragma once

#include <optional>

namespace quillan::report {

// Mole fractions of oxygen, helium and nitrogen; they add up to 1.
struct GasFractions {
    double o2 = 0.0;
    double he = 0.0;
    double n2 = 0.0;
};

inline constexpr GasFractions kAir{0.21, 0.0, 0.79};
inline constexpr GasFractions kHelium{0.0, 1.0, 0.0};
inline constexpr GasFractions kOxygen{1.0, 0.0, 0.0};

// Amount of each gas per unit of cylinder volume, as P / Z in absolute bar: the pressure the
// gas would show if it were ideal.
struct GasAmounts {
    double o2 = 0.0;
    double he = 0.0;
    double n2 = 0.0;

    double total() const { return o2 + he + n2; }
    // Fractions of the whole; all 0 for no gas at all.
    GasFractions fractions() const;
    // Adds `amount` of a gas whose make-up is `gas`.
    void add(const GasFractions& gas, double amount);
};

// The virial fit Z(P) = 1 + sum of x * (c1 P + c2 P^2 + c3 P^3) per gas, P in absolute bar.
// All-zero coefficients describe ideal gases (Z = 1), so one plan serves both models.
struct VirialCoefficients {
    double c1, c2, c3;
};
struct GasLaw {
    VirialCoefficients o2, he, n2;

    static GasLaw real();  // the widely used fit for O2, N2 and He
    static GasLaw ideal(); // Z = 1 at every pressure
};

// Beyond this the fit is not trusted; Z is held at its value there.
inline constexpr double kFitLimitBar = 500.0;

// Z of a mix at an absolute pressure, the pressure clamped to 0..kFitLimitBar.
double compressibility(const GasLaw& law, const GasFractions& mix, double absoluteBar);

// P / Z: the amount a cylinder holds at that absolute pressure.
double amountAt(const GasLaw& law, const GasFractions& mix, double absoluteBar);

// The absolute pressure that `amounts` show, solving P = n Z(P) by Newton's method to well
// within 0.01 PSI. Nothing when the iteration does not settle within its bound (it does for
// every pressure a cylinder can hold), never a rough value.
std::optional<double> pressureOf(const GasLaw& law, const GasAmounts& amounts);

// The amount of `gas` to add to `have` so that the cylinder shows `absoluteBar`; negative when
// it shows more already. Exact: the amount is linear in what is added at a fixed pressure.
double amountToReach(const GasLaw& law, const GasAmounts& have, const GasFractions& gas,
                     double absoluteBar);

// Gauge readings in the user's unit against absolute bar: absolute = gauge + atmosphere.
struct PressureScale {
    double barPerUnit; // 1 / 14.5038 for PSI, 1 for bar
    double atmosphere; // the gauge offset, in the unit: 14.696 PSI, 1.01325 bar

    static PressureScale psi();
    static PressureScale bar();

    double absoluteBar(double gauge) const { return (gauge + atmosphere) * barPerUnit; }
    double gauge(double absoluteBar) const { return absoluteBar / barPerUnit - atmosphere; }
};

} // namespace quillan::report
