#include "engine/partial_pressure.h"

#include "engine/number_rules.h"

namespace quillan {

std::int16_t partialPressure(std::int16_t psi, std::int16_t percent) {
    if (psi == 0) {
        return 0;
    }
    // Division first, then the product: the order decides which products land on exact halves.
    return toInt16((percent / 100.0) * psi);
}

} // namespace quillan
