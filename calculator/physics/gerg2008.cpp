#include "physics/gerg2008.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <span>

namespace quillan {

namespace {
namespace gerg {

// J/(mol K); the equation was fitted with this value, not with the current CODATA one.
constexpr double kGasConstant = 8.314472;
constexpr double kMinKelvin = 90.0;
constexpr double kMaxKelvin = 450.0;
constexpr double kMaxBar = 700.0;
// kPa per bar: with densities in mol/L, R T rho comes out in kPa.
constexpr double kKpaPerBar = 100.0;

// One term of a pure fluid's residual Helmholtz energy, n delta^d tau^t exp(-delta^c); c = 0
// is a plain polynomial term.
struct Term {
    double n;
    double t;
    int d;
    int c;
};

// Kunz & Wagner 2012, Table A6: nitrogen, the 24-term form it shares with methane and ethane.
constexpr std::array<Term, 24> kNitrogenTerms{{
    {0.59889711801201, 0.125, 1, 0},   {-1.6941557480731, 1.125, 1, 0},
    {0.24579736191718, 0.375, 2, 0},   {-0.23722456755175, 1.125, 2, 0},
    {0.017954918715141, 0.625, 4, 0},  {0.014592875720215, 1.5, 4, 0},
    {0.10008065936206, 0.625, 1, 1},   {0.73157115385532, 2.625, 1, 1},
    {-0.88372272336366, 2.75, 1, 1},   {0.31887660246708, 2.125, 2, 1},
    {0.20766491728799, 2.0, 3, 1},     {-0.019379315454158, 1.75, 6, 1},
    {-0.16936641554983, 4.5, 2, 2},    {0.13546846041701, 4.75, 3, 2},
    {-0.033066712095307, 5.0, 3, 2},   {-0.060690817018557, 4.0, 4, 2},
    {0.012797548292871, 4.5, 4, 2},    {0.0058743664107299, 7.5, 2, 3},
    {-0.018451951971969, 14.0, 3, 3},  {0.0047226622042472, 11.5, 4, 3},
    {-0.0052024079680599, 26.0, 5, 6}, {0.043563505956635, 28.0, 6, 6},
    {-0.036251690750939, 30.0, 6, 6},  {-0.0028974026866543, 16.0, 7, 6},
}};

// Kunz & Wagner 2012, Table A6: oxygen, the 12-term form of the "other" components.
constexpr std::array<Term, 12> kOxygenTerms{{
    {0.88878286369701, 0.25, 1, 0},
    {-2.4879433312148, 1.125, 1, 0},
    {0.59750190775886, 1.5, 1, 0},
    {0.0096501817061881, 1.375, 2, 0},
    {0.07197042871277, 0.25, 3, 0},
    {0.00022337443000195, 0.875, 7, 0},
    {0.18558686391474, 0.625, 2, 1},
    {-0.03812936803576, 1.75, 5, 1},
    {-0.15352245383006, 3.625, 1, 2},
    {-0.026726814910919, 3.625, 4, 2},
    {-0.025675298677127, 14.5, 3, 3},
    {0.0095714302123668, 12.0, 4, 3},
}};

// Kunz & Wagner 2012, Table A6: helium, 12 terms with exponents of its own.
constexpr std::array<Term, 12> kHeliumTerms{{
    {-0.45579024006737, 0.0, 1, 0},
    {1.2516390754925, 0.125, 1, 0},
    {-1.5438231650621, 0.75, 1, 0},
    {0.020467489707221, 1.0, 4, 0},
    {-0.34476212380781, 0.75, 1, 1},
    {-0.020858459512787, 2.625, 3, 1},
    {0.016227414711778, 0.125, 5, 1},
    {-0.057471818200892, 1.25, 5, 1},
    {0.019462416430715, 2.0, 5, 1},
    {-0.03329568012302, 1.0, 2, 2},
    {-0.010863577372367, 4.5, 1, 3},
    {-0.022173365245954, 5.0, 2, 3},
}};

// The largest exponent of delta in the tables (d up to 7, c up to 6), for the power tables.
constexpr int kMaxPower = 7;
constexpr std::size_t kMaxTerms = kNitrogenTerms.size() + kOxygenTerms.size() + kHeliumTerms.size();

enum Component : std::size_t { kN2, kO2, kHe, kComponents };

struct Fluid {
    double criticalDensity; // mol/L
    double criticalKelvin;
    std::span<const Term> terms;
};

// Kunz & Wagner 2012, Table A5: critical densities and temperatures, which reduce each fluid.
constexpr std::array<Fluid, kComponents> kFluids{{
    {11.1839, 126.192, kNitrogenTerms},
    {13.63, 154.595, kOxygenTerms},
    {17.399, 5.1953, kHeliumTerms},
}};

// The reducing functions' binary parameters. Beta is not symmetric: it belongs to the pair in
// the order written, i then j.
struct Binary {
    Component i;
    Component j;
    double betaV;
    double gammaV;
    double betaT;
    double gammaT;
};

// Kunz & Wagner 2012, Table A8. Oxygen-helium has no fitted values: all four are 1. None of
// the three pairs has a departure function (nor a generalised one scaled by F_ij), so the
// mixture's residual energy is the mole-fraction average of the pure fluids' at the mixture's
// reduced density and temperature.
constexpr std::array<Binary, 3> kBinaries{{
    {kN2, kO2, 0.99952177, 0.997082328, 0.997190589, 0.995157044},
    {kN2, kHe, 0.969501055, 0.932629867, 0.692868765, 1.47183158},
    {kO2, kHe, 1.0, 1.0, 1.0, 1.0},
}};

// The combining rule both reducing functions share, for one pair: x_i x_j beta gamma
// (x_i + x_j) / (beta^2 x_i + x_j), to be scaled by the pair's critical-value average.
double combined(double xi, double xj, double beta, double gamma) {
    if (xi == 0.0 || xj == 0.0)
        return 0.0;
    return xi * xj * beta * gamma * (xi + xj) / (beta * beta * xi + xj);
}

// A mixture at one temperature: its reducing values, and every present fluid's terms with
// x n tau^t folded into one coefficient, so a density step only raises delta to powers.
class Mixture {
  public:
    Mixture(const std::array<double, kComponents>& x, double kelvin) {
        double volume = 0.0; // 1 / reducing density, L/mol
        double reducingKelvin = 0.0;
        for (std::size_t i = 0; i < kComponents; ++i) {
            volume += x[i] * x[i] / kFluids[i].criticalDensity;
            reducingKelvin += x[i] * x[i] * kFluids[i].criticalKelvin;
        }
        for (const Binary& b : kBinaries) {
            const Fluid& fi = kFluids[b.i];
            const Fluid& fj = kFluids[b.j];
            const double cube =
                1.0 / std::cbrt(fi.criticalDensity) + 1.0 / std::cbrt(fj.criticalDensity);
            volume += 2.0 * combined(x[b.i], x[b.j], b.betaV, b.gammaV) * cube * cube * cube / 8.0;
            reducingKelvin += 2.0 * combined(x[b.i], x[b.j], b.betaT, b.gammaT) *
                              std::sqrt(fi.criticalKelvin * fj.criticalKelvin);
        }
        reducingDensity_ = 1.0 / volume;
        const double tau = reducingKelvin / kelvin;
        const double logTau = std::log(tau);
        for (std::size_t i = 0; i < kComponents; ++i) {
            if (x[i] == 0.0)
                continue;
            for (const Term& term : kFluids[i].terms)
                terms_[count_++] = {x[i] * term.n * std::exp(term.t * logTau), term.d, term.c};
        }
    }

    double reducingDensity() const { return reducingDensity_; }

    // delta d(alpha_r)/d(delta) and delta^2 d2(alpha_r)/d(delta)2.
    struct Derivatives {
        double first;
        double second;
    };
    Derivatives at(double delta) const {
        std::array<double, kMaxPower + 1> power{};
        power[0] = 1.0;
        for (int k = 1; k <= kMaxPower; ++k)
            power[k] = power[k - 1] * delta;
        // exp(-delta^c) for the c that occur (1, 2, 3 and 6).
        std::array<double, kMaxPower + 1> decay{};
        for (int c : {1, 2, 3, 6})
            decay[c] = std::exp(-power[c]);

        Derivatives sum{0.0, 0.0};
        for (std::size_t k = 0; k < count_; ++k) {
            const Folded& term = terms_[k];
            const double d = term.d;
            const double value = term.a * power[term.d];
            if (term.c == 0) {
                sum.first += value * d;
                sum.second += value * d * (d - 1.0);
            } else {
                const double deltaC = power[term.c];
                const double c = term.c;
                const double g = d - c * deltaC;
                const double f = value * decay[term.c];
                sum.first += f * g;
                sum.second += f * (g * (g - 1.0) - c * c * deltaC);
            }
        }
        return sum;
    }

  private:
    struct Folded {
        double a;
        int d;
        int c;
    };
    double reducingDensity_ = 0.0;
    std::array<Folded, kMaxTerms> terms_{};
    std::size_t count_ = 0;
};

// Mole fractions in the equation's order; nothing for a mix that cannot exist.
std::optional<std::array<double, kComponents>> fractionsOf(const GasMix& mix) {
    const double o2 = mix.o2().value();
    const double he = mix.he().value();
    if (!std::isfinite(o2) || !std::isfinite(he) || !mix.isReal() || o2 > 1.0 || he > 1.0)
        return std::nullopt;
    // A nitrogen share a rounding below zero is none at all.
    const double n2 = std::fmax(0.0, 1.0 - o2 - he);
    return std::array<double, kComponents>{n2, o2, he};
}

bool inRange(double absoluteBar, double kelvin) {
    return absoluteBar >= 0.0 && absoluteBar <= kMaxBar && kelvin >= kMinKelvin &&
           kelvin <= kMaxKelvin;
}

// Plenty for Newton's method (4 to 6 steps here) with bisection steps mixed in.
constexpr int kMaxSteps = 100;
constexpr double kSettled = 1e-12;
// Liquid nitrogen and oxygen near 90 K sit below 3 times their critical density; a gas never
// comes near, so the search need not look higher.
constexpr double kMaxReducedDensity = 4.0;
// Above oxygen's critical temperature (154.6 K, the highest of the three, and above every
// critical point of their mixtures up to 350 bar) there is one fluid branch. Below it the
// equation also has liquid and unstable roots; the gas's is the one reached from zero density
// without passing a loss of stability, so the search stays below the first such density,
// found in steps of this much reduced density.
constexpr double kSingleBranchKelvin = 160.0;
constexpr double kStabilityStep = 0.02;

double gasBranchLimit(const Mixture& mixture, double kelvin) {
    if (kelvin < kSingleBranchKelvin) {
        for (double delta = kStabilityStep; delta < kMaxReducedDensity; delta += kStabilityStep) {
            const Mixture::Derivatives r = mixture.at(delta);
            if (1.0 + 2.0 * r.first + r.second <= 0.0)
                return delta;
        }
    }
    return kMaxReducedDensity;
}

struct State {
    double density; // mol/L
    double z;
};

// The gas-phase density for `pressureKpa`: Newton's method on P(rho), kept inside a bracket
// whose lower end has too little pressure and whose upper end too much (or lies beyond the
// gas's own stable branch); a step that leaves the bracket becomes a bisection.
std::optional<State> solve(const Mixture& mixture, double pressureKpa, double kelvin) {
    const double rt = kGasConstant * kelvin;
    const double reducing = mixture.reducingDensity();
    double low = 0.0;
    double high = gasBranchLimit(mixture, kelvin) * reducing;
    double density = std::fmin(pressureKpa / rt, 0.5 * high);
    for (int step = 0; step < kMaxSteps; ++step) {
        const Mixture::Derivatives r = mixture.at(density / reducing);
        const double excess = density * rt * (1.0 + r.first) - pressureKpa;
        const double slope = rt * (1.0 + 2.0 * r.first + r.second);
        if (slope <= 0.0) {
            // Past the gas's limit of stability: its density lies lower.
            high = density;
        } else if (excess < 0.0) {
            low = density;
        } else {
            high = density;
        }
        if (slope > 0.0) {
            const double change = excess / slope;
            if (std::fabs(change) <= kSettled * density) {
                const double settled = density - change;
                return State{settled, pressureKpa / (settled * rt)};
            }
            const double next = density - change;
            if (next > low && next < high) {
                density = next;
                continue;
            }
        }
        if (high - low <= kSettled * high)
            return std::nullopt;
        density = 0.5 * (low + high);
    }
    return std::nullopt;
}

std::optional<State> stateOf(const GasMix& mix, double absoluteBar, Temperature temperature) {
    const double kelvin = temperature.inKelvin();
    const std::optional<std::array<double, kComponents>> x = fractionsOf(mix);
    if (!x || !inRange(absoluteBar, kelvin))
        return std::nullopt;
    if (absoluteBar == 0.0)
        return State{0.0, 1.0};
    return solve(Mixture(*x, kelvin), absoluteBar * kKpaPerBar, kelvin);
}

} // namespace gerg
} // namespace

std::optional<double> Gerg2008::compressibility(const GasMix& mix, double absoluteBar,
                                                Temperature temperature) const {
    const std::optional<gerg::State> state = gerg::stateOf(mix, absoluteBar, temperature);
    if (!state)
        return std::nullopt;
    return state->z;
}

std::optional<double> Gerg2008::molarDensity(const GasMix& mix, double absoluteBar,
                                             Temperature temperature) {
    const std::optional<gerg::State> state = gerg::stateOf(mix, absoluteBar, temperature);
    if (!state)
        return std::nullopt;
    return state->density;
}

} // namespace quillan
