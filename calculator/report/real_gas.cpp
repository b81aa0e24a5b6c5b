#include "report/real_gas.h"

#include "report/units.h"

#include <algorithm>
#include <cmath>

namespace quillan::report {

namespace {

// Newton's steps needed are 3 to 5; the bound only guards against a broken input.
constexpr int kMaxNewtonSteps = 50;
// Far below the 0.01 PSI (0.0007 bar) the readings need.
constexpr double kSettledBar = 1e-9;

double clampToFit(double absoluteBar) {
    return std::clamp(absoluteBar, 0.0, kFitLimitBar);
}

// c1 P + c2 P^2 + c3 P^3, and its slope (0 outside the fit, where Z is held).
double virialTerm(const VirialCoefficients& c, double p) {
    return ((c.c3 * p + c.c2) * p + c.c1) * p;
}
double virialSlope(const VirialCoefficients& c, double p) {
    return (3.0 * c.c3 * p + 2.0 * c.c2) * p + c.c1;
}

// Sum of amount * virial term per gas: n (Z - 1).
double excess(const GasLaw& law, const GasAmounts& a, double absoluteBar) {
    const double p = clampToFit(absoluteBar);
    return a.o2 * virialTerm(law.o2, p) + a.he * virialTerm(law.he, p) +
           a.n2 * virialTerm(law.n2, p);
}

double excessSlope(const GasLaw& law, const GasAmounts& a, double absoluteBar) {
    if (absoluteBar <= 0.0 || absoluteBar >= kFitLimitBar)
        return 0.0;
    return a.o2 * virialSlope(law.o2, absoluteBar) + a.he * virialSlope(law.he, absoluteBar) +
           a.n2 * virialSlope(law.n2, absoluteBar);
}

GasAmounts asAmounts(const GasFractions& mix, double amount) {
    return {mix.o2 * amount, mix.he * amount, mix.n2 * amount};
}

} // namespace

GasFractions GasAmounts::fractions() const {
    const double sum = total();
    if (sum <= 0.0)
        return {};
    return {o2 / sum, he / sum, n2 / sum};
}

void GasAmounts::add(const GasFractions& gas, double amount) {
    o2 += gas.o2 * amount;
    he += gas.he * amount;
    n2 += gas.n2 * amount;
}

GasLaw GasLaw::real() {
    return {{-7.18092073703e-4, 2.81852572808e-6, -1.50290620492e-9},
            {4.87320026468e-4, -8.83632921053e-8, 5.33304543646e-11},
            {-2.19260353292e-4, 2.92844845532e-6, -2.07613482075e-9}};
}

GasLaw GasLaw::ideal() {
    return {{0.0, 0.0, 0.0}, {0.0, 0.0, 0.0}, {0.0, 0.0, 0.0}};
}

double compressibility(const GasLaw& law, const GasFractions& mix, double absoluteBar) {
    return 1.0 + excess(law, asAmounts(mix, 1.0), absoluteBar);
}

double amountAt(const GasLaw& law, const GasFractions& mix, double absoluteBar) {
    return absoluteBar / compressibility(law, mix, absoluteBar);
}

std::optional<double> pressureOf(const GasLaw& law, const GasAmounts& amounts) {
    // P = n Z(P) is P - n - sum(a_i B_i(P)) = 0, a cubic in P within the fit.
    const double n = amounts.total();
    double p = n;
    for (int step = 0; step < kMaxNewtonSteps; ++step) {
        const double residual = p - n - excess(law, amounts, p);
        const double slope = 1.0 - excessSlope(law, amounts, p);
        if (!(slope > 0.0))
            return std::nullopt;
        const double next = p - residual / slope;
        if (!std::isfinite(next))
            return std::nullopt;
        if (std::fabs(next - p) <= kSettledBar)
            return next;
        p = next;
    }
    return std::nullopt;
}

double amountToReach(const GasLaw& law, const GasAmounts& have, const GasFractions& gas,
                     double absoluteBar) {
    // At pressure P the cylinder holds n with n + sum(a_i B_i(P)) = P; adding x of the gas
    // adds x (1 + sum(g_i B_i(P))) to the left side.
    const double perUnit = compressibility(law, gas, absoluteBar);
    return (absoluteBar - have.total() - excess(law, have, absoluteBar)) / perUnit;
}

PressureScale PressureScale::psi() {
    return {1.0 / kPsiPerBar, 14.696};
}

PressureScale PressureScale::bar() {
    return {1.0, 1.01325};
}

} // namespace quillan::report
