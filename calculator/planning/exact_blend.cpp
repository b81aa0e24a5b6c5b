#include "planning/exact_blend.h"

#include "planning/plan_tolerances.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace quillan {

namespace {

// Everything is counted in PSI times whole percent (and times the top-up gas's nitrogen percent
// for the oxygen bound), so the bounds and the rounding are exact integers: no floating-point
// error can move a kept pressure across a bound or a quantity across a rounding edge.

// The plan tolerance and the smallest top-up, in PSI x percent and in PSI.
const std::int64_t kToleranceCentiPSI = std::llround(kPlanTolerance.inPsi() * 100.0);
const std::int64_t kSmallestTopUpPSI = std::llround(kSmallestTopUp.inPsi());

std::int64_t floorDiv(std::int64_t numerator, std::int64_t divisor) {
    std::int64_t quotient = numerator / divisor;
    if (numerator % divisor != 0 && (numerator < 0) != (divisor < 0)) {
        --quotient;
    }
    return quotient;
}

// numerator / divisor (divisor > 0) to the nearest integer, an exact half to the even neighbour.
std::int64_t nearestDiv(std::int64_t numerator, std::int64_t divisor) {
    const std::int64_t quotient = floorDiv(numerator, divisor);
    const std::int64_t twiceRemainder = 2 * (numerator - quotient * divisor);
    if (twiceRemainder > divisor || (twiceRemainder == divisor && quotient % 2 != 0)) {
        return quotient + 1;
    }
    return quotient;
}

// A quantity that must stay at least 0 as a line in the kept pressure k: offset - slope * k.
struct Bound {
    std::int64_t offset;
    std::int64_t slope;
};

// The percentages and pressures widened once, with each mix's nitrogen.
struct Terms {
    std::int64_t sourcePSI;
    // A target without helium keeps nothing of a source that holds some, as in the pass loop.
    std::int64_t keptMax;
    std::int64_t target;
    std::int64_t sourceO2, sourceHe, sourceN;
    std::int64_t targetO2, targetHe, targetN;
    std::int64_t topupO2, topupN;
};

Terms termsOf(const Mixer& p) {
    const bool releaseWhole = p.TargetHe() == 0 && p.SourceHe() > 0;
    return {p.SourcePSI(),
            releaseWhole ? 0 : p.SourcePSI(),
            p.TargetPSI(),
            p.SourceO2(),
            p.SourceHe(),
            100 - p.SourceO2() - p.SourceHe(),
            p.TargetO2(),
            p.TargetHe(),
            100 - p.TargetO2() - p.TargetHe(),
            p.TopupMixFO2(),
            100 - p.TopupMixFO2()};
}

// A bound on the kept pressure as an exact fraction, denominator above 0.
struct Fraction {
    std::int64_t numerator;
    std::int64_t denominator;
};

bool isBelow(Fraction a, Fraction b) {
    return a.numerator * b.denominator < b.numerator * a.denominator;
}

// The kept pressures, not necessarily whole, in 0..keptMax for which helium and oxygen are at
// least 0 and the top-up gas at least 1 PSI: lowest..highest. Nothing when there are none, as
// for a target without nitrogen, which the top-up gas's nitrogen always overfills.
struct KeptInterval {
    Fraction lowest;
    Fraction highest;
};

std::optional<KeptInterval> feasibleKept(const Terms& t) {
    const std::array bounds{
        // Top-up x = (targetN * T - sourceN * k) / topupN >= the smallest top-up.
        Bound{t.targetN * t.target - kSmallestTopUpPSI * t.topupN, t.sourceN},
        // Helium (targetHe * T - sourceHe * k) / 100 >= 0.
        Bound{t.targetHe * t.target, t.sourceHe},
        // Oxygen (targetO2 * T - sourceO2 * k) / 100 - topupO2 * x / 100 >= 0, times 100 * topupN.
        Bound{(t.topupN * t.targetO2 - t.topupO2 * t.targetN) * t.target,
              t.topupN * t.sourceO2 - t.topupO2 * t.sourceN},
    };
    KeptInterval interval{{0, 1}, {t.keptMax, 1}};
    for (const Bound& bound : bounds) {
        if (bound.slope > 0) {
            const Fraction upper{bound.offset, bound.slope};
            if (isBelow(upper, interval.highest)) {
                interval.highest = upper;
            }
        } else if (bound.slope < 0) {
            const Fraction lower{-bound.offset, -bound.slope};
            if (isBelow(interval.lowest, lower)) {
                interval.lowest = lower;
            }
        } else if (bound.offset < 0) {
            return std::nullopt;
        }
    }
    if (isBelow(interval.highest, interval.lowest)) {
        return std::nullopt;
    }
    return interval;
}

// Checks a whole-PSI plan for kept pressure k against every rule of a plan.
bool isSoundPlan(const Terms& t, std::int64_t kept, std::int64_t helium, std::int64_t oxygen,
                 std::int64_t topup) {
    if (helium < 0 || oxygen < 0 || topup < kSmallestTopUpPSI ||
        kept + helium + oxygen + topup != t.target) {
        return false;
    }
    const std::int64_t o2Miss =
        t.sourceO2 * kept + 100 * oxygen + t.topupO2 * topup - t.targetO2 * t.target;
    const std::int64_t heMiss = t.sourceHe * kept + 100 * helium - t.targetHe * t.target;
    return std::abs(o2Miss) <= kToleranceCentiPSI && std::abs(heMiss) <= kToleranceCentiPSI;
}

// The first sound whole-PSI plan that keeps `kept` PSI of source gas. Helium and top-up at that
// pressure are exact fractions (PSI x 100, PSI x topupN); each is taken to the nearest whole PSI,
// rounded down or rounded up, and the oxygen takes what the cylinder has left, so the quantities
// add up to the target. For a kept pressure inside the feasible range, rounding both down
// always leaves the oxygen at least its exact value and the replay within tolerance.
std::optional<WholePsiSteps> planKeeping(const Terms& t, std::int64_t kept) {
    const std::int64_t heliumScaled = t.targetHe * t.target - t.sourceHe * kept;
    const std::int64_t topupScaled = t.targetN * t.target - t.sourceN * kept;
    const std::array heliumChoices{nearestDiv(heliumScaled, 100), floorDiv(heliumScaled, 100),
                                   floorDiv(heliumScaled, 100) + 1};
    const std::array topupChoices{nearestDiv(topupScaled, t.topupN),
                                  floorDiv(topupScaled, t.topupN),
                                  floorDiv(topupScaled, t.topupN) + 1};
    for (const std::int64_t helium : heliumChoices) {
        for (const std::int64_t topup : topupChoices) {
            const std::int64_t oxygen = t.target - kept - helium - topup;
            // A sound plan's quantities lie within 0..target, so they fit 16 bits.
            if (isSoundPlan(t, kept, helium, oxygen, topup)) {
                return WholePsiSteps{static_cast<std::int16_t>(t.sourcePSI - kept),
                                     static_cast<std::int16_t>(helium),
                                     static_cast<std::int16_t>(oxygen),
                                     static_cast<std::int16_t>(topup)};
            }
        }
    }
    return std::nullopt;
}

} // namespace

bool exactBlendApplies(const Mixer& p) {
    const auto isGas = [](std::int16_t o2, std::int16_t he) {
        return o2 >= 0 && he >= 0 && o2 + he <= 100;
    };
    return p.SourcePSI() >= 0 && p.TargetPSI() >= 1 && isGas(p.SourceO2(), p.SourceHe()) &&
           isGas(p.TargetO2(), p.TargetHe()) && p.TopupMixFO2() >= 21 && p.TopupMixFO2() <= 99;
}

std::optional<WholePsiSteps> exactBlend(const Mixer& problem) {
    const Terms t = termsOf(problem);
    const std::optional<KeptInterval> interval = feasibleKept(t);
    if (!interval) {
        return std::nullopt;
    }
    // The interval lies within 0..keptMax, so these whole pressures do too.
    const std::int64_t highestWhole =
        floorDiv(interval->highest.numerator, interval->highest.denominator);
    const std::int64_t lowestWhole =
        -floorDiv(-interval->lowest.numerator, interval->lowest.denominator);
    if (lowestWhole <= highestWhole) {
        // The most source gas the bounds allow: the least drain.
        return planKeeping(t, highestWhole);
    }
    // The interval lies between two whole pressures: one of them may still round to a sound
    // plan within the tolerance. The larger one, the lesser drain, first.
    if (auto plan = planKeeping(t, lowestWhole)) {
        return plan;
    }
    return planKeeping(t, highestWhole);
}

} // namespace quillan
