#include "planning/mixer.h"

#include <exception>

namespace quillan {

namespace {

std::string describeCylinder(const Mixer& mixer, std::int32_t theTank) {
    // The pressure is tested first: an empty cylinder has no mix worth naming.
    if (mixer.GetValue(theTank, kPressureProperty) == 0.0) {
        return "[Empty cylinder]";
    }
    const auto o2 = static_cast<std::int64_t>(mixer.GetValue(theTank, kO2Property));
    const auto he = static_cast<std::int64_t>(mixer.GetValue(theTank, kHeProperty));
    if (he > 0) {
        return "Trimix " + formatNumber(o2) + "/" + formatNumber(he);
    }
    if (o2 == 21) {
        return "Air";
    }
    return "Nitrox " + formatNumber(o2);
}

} // namespace

std::string Mixer::GetMixDescription(std::int32_t theSource) const {
    if (theSource < kSourceTank || theSource > kTopupGas) {
        return {};
    }
    try {
        if (theSource == kTopupGas) {
            return TopupMixFO2() == 21 ? "Air" : "Nitrox " + formatNumber(TopupMixFO2());
        }
        return describeCylinder(*this, theSource);
    } catch (const std::exception&) {
        return "Error getting mix description.";
    }
}

} // namespace quillan
