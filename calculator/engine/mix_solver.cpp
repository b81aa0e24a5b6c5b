#include "engine/mixer.h"

#include "engine/partial_pressure.h"
#include "engine/runtime_error.h"

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

    std::int16_t drain = 0;
    Kept kept{0, 0, 0};
    if (TargetHe() == 0 && SourceHe() > 0) {
        // The target wants no helium but the source holds some: release the whole source.
        drain = SourcePSI();
    } else {
        kept = {SourcePSI(), SourceO2PSI(), SourceHePSI()};
    }

    // Values that stay the same in every pass, computed once with the same operations. Reading
    // the target's O2 before the first pass instead of during it changes nothing: its only
    // failure is an overflow, as is that of the helium step that precedes it in the pass.
    const std::int16_t targetO2PSI = TargetO2PSI();
    const double targetHePSI = (TargetHe() / 100.0) * TargetPSI();
    const SourceFractions source{SourceO2() / 100.0, SourceHe() / 100.0};
    const double f = topupMixFO2_ / 100.0;
    const double oxygenShare = 1.0 - f;
    std::int16_t addHe = 0;
    std::int16_t addO2 = 0;
    std::int16_t rest = 0;
    for (int passes = 1;; ++passes) {
        addHe = toInt16(targetHePSI - kept.he);
        rest = subInt16(subInt16(TargetPSI(), addHe), kept.psi);
        const std::int16_t needO2 = subInt16(targetO2PSI, kept.o2);
        const double ratio = checkedDivide(needO2, rest);
        // Pure oxygen plus top-up gas of fraction f, together filling rest, carry needO2.
        addO2 = toInt16(checkedDivide(ratio - f, oxygenShare) * rest);

        if (addHe >= 0 && addO2 >= 0 && rest >= 0) {
            break;
        }
        drain = addInt16(drain, drainStep(addHe, addO2, rest));
        if (drain > SourcePSI()) {
            errDesc_ = kMixImpossible;
            return false;
        }
        kept = keptAfterDrain(SourcePSI(), drain, source);
        if (passes > kMaxPasses) {
            break;
        }
    }

    const std::int16_t topup = subInt16(subInt16(subInt16(TargetPSI(), kept.psi), addO2), addHe);
    // A plan that drains a negative amount or adds negative gas cannot be filled. It arises when
    // the pass limit stops the loop with a quantity still negative, or when a negative drain step
    // or a source of negative pressure leaves the drain below 0.
    if (topup <= 0 || drain < 0 || addHe < 0 || addO2 < 0) {
        errDesc_ = kMixImpossible;
        return false;
    }
    drainAmount_ = drain;
    topupMixPSI_ = topup;
    addO2PSI_ = addO2;
    addHePSI_ = addHe;
    return true;
}

} // namespace quillan
