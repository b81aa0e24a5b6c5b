// A cylinder as a fill station knows it: its water capacity and working pressure.
#pragma once

#include "quantities/quantities.h"

namespace quillan {

struct Cylinder {
    Volume waterCapacity;
    Pressure workingPressure;
    // The pressure it is hydrostatically tested to, and never filled beyond.
    Pressure testPressure() const { return workingPressure * 1.5; }
};

} // namespace quillan
