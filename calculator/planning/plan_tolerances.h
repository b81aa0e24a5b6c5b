// How exact a whole-unit plan must be, in the unit the limits really have, whichever units the
// blender works in.
#pragma once

#include "quantities/quantities.h"

namespace quillan {

// The smallest top-up a plan may end with.
inline constexpr Pressure kSmallestTopUp = Pressure::psi(1.0);
// How far the O2 and He of a whole-PSI plan may miss the required partial pressures.
inline constexpr Pressure kPlanTolerance = Pressure::psi(2.0);

} // namespace quillan
