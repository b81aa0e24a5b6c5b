#include "quantities/gas_mix.h"

#include <cmath>

namespace quillan {

WholePercent wholePercent(const GasMix& mix) {
    const int o2 = static_cast<int>(std::nearbyint(mix.o2().inPercent()));
    const int he = static_cast<int>(std::nearbyint(mix.he().inPercent()));
    return {o2, he, 100 - o2 - he};
}

std::string GasMix::name() const {
    const WholePercent whole = wholePercent(*this);
    if (whole.he > 0)
        return "Trimix " + std::to_string(whole.o2) + "/" + std::to_string(whole.he);
    if (whole.o2 == 21)
        return "Air";
    return "Nitrox " + std::to_string(whole.o2);
}

} // namespace quillan
