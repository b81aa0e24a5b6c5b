#include "planning/mixer.h"

#include "engine/runtime_error.h"
#include "planning/checked_run.h"
#include "planning/exact_blend.h"
#include "rules/limits.h"

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

// Inline so that the run stays in registers; called out of line it costs a typical solve a third.
inline Kept keptAfterDrain(CheckedRun& checked, std::int16_t sourcePSI, std::int16_t drain,
                           SourceFractions source) {
    const std::int16_t psi = checked.sub(sourcePSI, drain);
    return {psi, checked.partialPressureOfFraction(psi, source.o2),
            checked.partialPressureOfFraction(psi, source.he)};
}

// How much more source gas to release when a pass leaves helium, oxygen or the rest negative.
std::int16_t drainStep(CheckedRun& checked, std::int16_t addHe, std::int16_t addO2,
                       std::int16_t rest) {
    const std::int16_t both = checked.add(addHe, addO2);
    if (rest < both) {
        return both;
    }
    const std::int16_t larger = checked.abs(addHe) > checked.abs(addO2) ? addHe : addO2;
    const std::int16_t step = checked.abs(larger);
    const std::int16_t restSize = checked.abs(rest);
    return step <= restSize ? step : restSize;
}

// How the pass loop ended: with a plan, without one, or with the classic error number (6 or 11)
// of the first operation its arithmetic failed in.
struct PassOutcome {
    std::optional<WholePsiSteps> plan;
    std::int32_t error = 0;
};

PassOutcome failedWith(const CheckedRun& checked) {
    return {std::nullopt, checked.error()};
}

// The written pass loop: starts with no drain (or a whole release of a helium source that the
// target does not want) and drains more while helium, oxygen or the rest come out negative.
// Its arithmetic stops at the first failure without throwing, so that the caller decides whether
// the failure is the answer.
PassOutcome planByPasses(const Mixer& mixer) {
    CheckedRun checked;
    const SourceFractions source{mixer.SourceO2() / 100.0, mixer.SourceHe() / 100.0};
    // The target wants no helium but the source holds some: release the whole source.
    const bool releaseWhole = mixer.TargetHe() == 0 && mixer.SourceHe() > 0;
    std::int16_t drain = releaseWhole ? mixer.SourcePSI() : std::int16_t{0};
    // Releasing the whole source keeps 0 PSI of it, with no gas in it.
    Kept kept = keptAfterDrain(checked, mixer.SourcePSI(), drain, source);

    // Values that stay the same in every pass, computed once with the same operations. Reading
    // the target's O2 before the first pass instead of during it changes nothing: its only
    // failure is an overflow, as is that of the helium step that precedes it in the pass.
    const std::int16_t targetO2PSI =
        checked.partialPressureOfFraction(mixer.TargetPSI(), mixer.TargetO2() / 100.0);
    const double targetHePSI = (mixer.TargetHe() / 100.0) * mixer.TargetPSI();
    const double f = mixer.TopupMixFO2() / 100.0;
    const double oxygenShare = 1.0 - f;
    std::int16_t addHe = 0;
    std::int16_t addO2 = 0;
    std::int16_t rest = 0;
    for (int passes = 1;; ++passes) {
        addHe = checked.toInt16(targetHePSI - kept.he);
        rest = checked.sub(checked.sub(mixer.TargetPSI(), addHe), kept.psi);
        const std::int16_t needO2 = checked.sub(targetO2PSI, kept.o2);
        const double ratio = checked.divide(needO2, rest);
        // Pure oxygen plus top-up gas of fraction f, together filling rest, carry needO2.
        addO2 = checked.toInt16(checked.divide(ratio - f, oxygenShare) * rest);
        if (checked.failed()) {
            return failedWith(checked);
        }

        if (addHe >= 0 && addO2 >= 0 && rest >= 0) {
            break;
        }
        drain = checked.add(drain, drainStep(checked, addHe, addO2, rest));
        if (checked.failed()) {
            return failedWith(checked);
        }
        if (drain > mixer.SourcePSI()) {
            return {};
        }
        // A failure here stops the run: the next pass or the end reports it.
        kept = keptAfterDrain(checked, mixer.SourcePSI(), drain, source);
        if (passes > kMaxPasses) {
            break;
        }
    }

    const std::int16_t topup =
        checked.sub(checked.sub(checked.sub(mixer.TargetPSI(), kept.psi), addO2), addHe);
    if (checked.failed()) {
        return failedWith(checked);
    }
    // A plan that drains a negative amount or adds negative gas cannot be filled. It arises when
    // the pass limit stops the loop with a quantity still negative, or when a negative drain step
    // or a source of negative pressure leaves the drain below 0.
    if (topup <= 0 || drain < 0 || addHe < 0 || addO2 < 0) {
        return {};
    }
    return {WholePsiSteps{drain, addHe, addO2, topup}};
}

} // namespace

bool Mixer::CalcMix() {
    drainAmount_ = 0;
    addO2PSI_ = 0;
    addHePSI_ = 0;
    topupMixPSI_ = 0;
    errDesc_.clear();

    if (!kSolvableTopUpO2Range.contains(topupMixFO2_)) {
        throw RuntimeError(kErrApplication, "DrainAmount", "Invalid top mix O2 %");
    }

    // The loop's plans stand as they are. Where it finds none, or its arithmetic fails on the
    // way, the exact solve decides whether a plan exists; problems outside its reach keep the
    // loop's answer, error included.
    const PassOutcome byPasses = planByPasses(*this);
    std::optional<WholePsiSteps> plan = byPasses.plan;
    if (!plan) {
        if (exactBlendApplies(*this)) {
            plan = exactBlend(*this);
        } else if (byPasses.error != 0) {
            raiseClassicError(byPasses.error);
        }
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
