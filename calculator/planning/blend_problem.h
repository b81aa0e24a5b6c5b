// A blending problem in typed quantities: the cylinder as it is, the contents it must end with,
// and the gas it is topped up with. Helium and oxygen are pure.
#pragma once

#include "planning/mixer.h"
#include "quantities/gas_mix.h"
#include "quantities/unit_system.h"

namespace quillan {

struct BlendProblem {
    CylinderContents start;
    CylinderContents required;
    GasMix topUp = GasMix::air();
};

// One cylinder of the window's whole figures, treated as problemOf says.
CylinderContents contentsOf(std::int16_t pressure, std::int16_t o2, std::int16_t he, std::int16_t n,
                            UnitSystem units, bool emptyIsAir);

// The problem the window's whole figures describe, in `units`. A mix given as all zeros is
// air when `emptyIsAir` (a real cylinder at 0 still holds an atmosphere of air), otherwise no
// oxygen and no helium. Throws RuntimeError 5 for percentages no gas has.
BlendProblem problemOf(const Mixer& figures, UnitSystem units, bool emptyIsAir);

} // namespace quillan
