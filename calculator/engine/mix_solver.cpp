#include "engine/mixer.h"

#include "engine/exact_blend.h"
#include "engine/partial_pressure.h"
#include "engine/runtime_error.h"

#include <optional>

namespace quillan {

namespace {

constexpr int kMaxPasses = 100;

// Source gas left in the cylinder after `drain` PSI were released, with its partial pressures.
struct Kept {
    std::int16_t psi;
    std::int16_t o2;
    std::int16_t he;
};

// The source's gas fractions, divided out once rather than in every pass.
struct SourceFractions {
    double o2;
    double he;
};

Kept keptAfterDrain(std::int16_t sourcePSI, std::int16_t drain, SourceFractions source) {
    const std::int16_t psi = subInt16(sourcePSI, drain);
    return {psi, partialPressureOfFraction(psi, source.o2),
            partialPressureOfFraction(psi, source.he)};
}

// How much more source gas to release when a pass leaves helium, oxygen or the rest negative.
std::int16_t drainStep(std::int16_t addHe, std::int16_t addO2, std::int16_t rest) {
    const std::int16_t both = addInt16(addHe, addO2);
    if (rest < both) {
        return both;
    }
    const std::int16_t larger = absInt16(addHe) > absInt16(addO2) ? addHe : addO2;
    const std::int16_t step = absInt16(larger);
    const std::int16_t restSize = absInt16(rest);
    return step <= restSize ? step : restSize;
}

// The written pass loop: starts with no drain (or a whole release of a helium source that the
// target does not want) and drains more while helium, oxygen or the rest come out negative.
// Nothing when it ends without a plan; raises 6 or 11 when its arithmetic fails.
std::optional<BlendPlan> planByPasses(const Mixer& mixer) {
    std::int16_t drain = 0;
    Kept kept{0, 0, 0};
    if (mixer.TargetHe() == 0 && mixer.SourceHe() > 0) {
        // The target wants no helium but the source holds some: release the whole source.
        drain = mixer.SourcePSI();
    } else {
        kept = {mixer.SourcePSI(), mixer.SourceO2PSI(), mixer.SourceHePSI()};
    }

    // Values that stay the same in every pass, computed once with the same operations. Reading
    // the target's O2 before the first pass instead of during it changes nothing: its only
    // failure is an overflow, as is that of the helium step that precedes it in the pass.
    const std::int16_t targetO2PSI = mixer.TargetO2PSI();
    const double targetHePSI = (mixer.TargetHe() / 100.0) * mixer.TargetPSI();
    const SourceFractions source{mixer.SourceO2() / 100.0, mixer.SourceHe() / 100.0};
    const double f = mixer.TopupMixFO2() / 100.0;
    const double oxygenShare = 1.0 - f;
    std::int16_t addHe = 0;
    std::int16_t addO2 = 0;
    std::int16_t rest = 0;
    for (int passes = 1;; ++passes) {
        addHe = toInt16(targetHePSI - kept.he);
        rest = subInt16(subInt16(mixer.TargetPSI(), addHe), kept.psi);
        const std::int16_t needO2 = subInt16(targetO2PSI, kept.o2);
        const double ratio = checkedDivide(needO2, rest);
        // Pure oxygen plus top-up gas of fraction f, together filling rest, carry needO2.
        addO2 = toInt16(checkedDivide(ratio - f, oxygenShare) * rest);

        if (addHe >= 0 && addO2 >= 0 && rest >= 0) {
            break;
        }
        drain = addInt16(drain, drainStep(addHe, addO2, rest));
        if (drain > mixer.SourcePSI()) {
            return std::nullopt;
        }
        kept = keptAfterDrain(mixer.SourcePSI(), drain, source);
        if (passes > kMaxPasses) {
            break;
        }
    }

    const std::int16_t topup =
        subInt16(subInt16(subInt16(mixer.TargetPSI(), kept.psi), addO2), addHe);
    // A plan that drains a negative amount or adds negative gas cannot be filled. It arises when
    // the pass limit stops the loop with a quantity still negative, or when a negative drain step
    // or a source of negative pressure leaves the drain below 0.
    if (topup <= 0 || drain < 0 || addHe < 0 || addO2 < 0) {
        return std::nullopt;
    }
    return BlendPlan{drain, addHe, addO2, topup};
}

} // namespace

bool Mixer::CalcMix() {
    drainAmount_ = 0;
    addO2PSI_ = 0;
    addHePSI_ = 0;
    topupMixPSI_ = 0;
    errDesc_.clear();

    if (topupMixFO2_ < 21 || topupMixFO2_ > 100) {
        throw RuntimeError(kErrApplication, "DrainAmount", "Invalid top mix O2 %");
    }

    // The loop's plans stand as they are. Where it finds none, or its arithmetic fails on the
    // way, the exact solve decides whether a plan exists; problems outside its reach keep the
    // loop's answer, error included.
    const BlendProblem problem{SourcePSI(), SourceO2(), SourceHe(),  TargetPSI(),
                               TargetO2(),  TargetHe(), topupMixFO2_};
    const bool exactApplies = exactBlendApplies(problem);
    std::optional<BlendPlan> plan;
    try {
        plan = planByPasses(*this);
    } catch (const RuntimeError&) {
        if (!exactApplies) {
            throw;
        }
    }
    if (!plan && exactApplies) {
        plan = exactBlend(problem);
    }
    if (!plan) {
        errDesc_ = kMixImpossible;
        return false;
    }
    drainAmount_ = plan->drain;
    addHePSI_ = plan->helium;
    addO2PSI_ = plan->oxygen;
    topupMixPSI_ = plan->topup;
    return true;
}

} // namespace quillan
