#include "quantities/gas_names.h"

#include "engine/number_rules.h"
#include "engine/runtime_error.h"

namespace quillan {

std::string GetGasName(double O2) {
    try {
        const bool isPercentage = O2 >= 1.0 || O2 <= 0.0;
        const std::int16_t percent = toInt16(isPercentage ? O2 : O2 * 100.0);
        // Only an exact 21 is air: 21.4 and 0.21 are named by their rounded percentage.
        if (O2 == 21.0) {
            return "Air";
        }
        return "Nitrox " + formatNumber(percent);
    } catch (const RuntimeError&) {
        return "Error";
    }
}

} // namespace quillan
