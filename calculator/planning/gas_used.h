// The gas a plan moves, as a fill station bills it: per gas added, and for the gas drained,
// the nominal volume (the shop's convention) beside the real free gas.
#pragma once

#include "planning/blend_plan.h"
#include "quantities/cylinder.h"
#include "quantities/unit_system.h"

namespace quillan {

struct GasVolumes {
    // Metric: water litres times bar of gauge rise. Imperial: the rated free gas times the
    // rise over the working pressure.
    Volume nominal;
    // The free gas the step really moves, at 1.01325 bar and 15 °C, under the plan's law.
    Volume real;
};

struct GasUsed {
    GasVolumes helium;
    GasVolumes oxygen;
    GasVolumes topUp;
    GasVolumes drained;
};

GasUsed gasUsed(const BlendPlan& plan, const Cylinder& cylinder, UnitSystem units);

// The reference state of free gas a supplier bills by.
inline constexpr double kFreeGasBar = 1.01325;
inline constexpr Temperature kFreeGasTemperature = Temperature::celsius(15.0);

} // namespace quillan
