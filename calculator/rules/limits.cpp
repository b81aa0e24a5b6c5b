#include "rules/limits.h"

#include <algorithm>
#include <cmath>

namespace quillan {

UnitRanges unitRanges(UnitSystem units) {
    switch (units) {
    case UnitSystem::PsiAndFeet:
        return {4000, 4500, 500, 100};
    case UnitSystem::BarAndMetres:
        // 4000 and 4500 PSI rounded down to whole bar; 500 ft is 152.4 m; the nearly-empty
        // 100 PSI is 6.9 bar, taken as 7.
        return {275, 310, 152, 7};
    }
    return {4000, 4500, 500, 100};
}

MixFigures balanceMix(MixFigures m) {
    m.o2 = std::clamp(m.o2, 0.0, 100.0);
    m.he = std::clamp(m.he, 0.0, double(kMaxHeliumOrNitrogen));
    m.n = std::clamp(m.n, 0.0, double(kMaxHeliumOrNitrogen));
    if (m.o2 == 0.0 || m.o2 == 100.0)
        return {m.o2, 0.0, 0.0};
    m.o2 = std::floor(m.o2);
    if (m.he == 0.0)
        return {m.o2, 0.0, 100.0 - m.o2};
    m.he = std::floor(m.he);
    if (100.0 - m.o2 - m.he < 0.0)
        return {m.o2, 100.0 - m.o2, 0.0};
    return {m.o2, m.he, 100.0 - m.o2 - m.he};
}

bool isLowSourceO2(std::int16_t sourcePressure, std::int16_t sourceO2, UnitSystem units) {
    return sourcePressure > unitRanges(units).nearlyEmptyPressure && sourceO2 <= kLowestSourceO2;
}

} // namespace quillan
