// A cylinder as a fill station knows it: its water capacity, its working pressure, and, for
// the cylinders sold by the gas they hold, that rated volume of free gas.
#pragma once

#include "quantities/quantities.h"

#include <optional>
#include <string>

namespace quillan {

struct Cylinder {
    std::string name;
    Volume waterCapacity; // all of the set's cylinders together
    Pressure workingPressure;
    std::optional<Volume> ratedGas; // the free gas it is sold as holding (AL80: 77.4 cu ft)

    // The free gas the shop's convention counts at the working pressure: the rating, or water
    // capacity times working pressure in bar.
    Volume nominalGas() const {
        return ratedGas.value_or(
            Volume::litres(waterCapacity.inLitres() * workingPressure.inBar()));
    }
    // The pressure it is hydrostatically tested to, and never filled beyond.
    Pressure testPressure() const { return workingPressure * 1.5; }
};

} // namespace quillan
