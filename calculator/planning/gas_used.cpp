#include "planning/gas_used.h"

namespace quillan {

namespace {

GasVolumes volumesOf(const StepGas& step, const Cylinder& cylinder, UnitSystem units) {
    const double litres = cylinder.waterCapacity.inLitres();
    GasVolumes volumes;
    if (units == UnitSystem::BarAndMetres)
        volumes.nominal = Volume::litres(litres * step.rise.inBar());
    else
        volumes.nominal = Volume::cubicFeet(cylinder.nominalGas().inCubicFeet() *
                                            step.rise.inPsi() / cylinder.workingPressure.inPsi());
    // An amount is bar of ideal gas at 20 °C in the cylinder's volume: the same gas at the
    // supplier's reference state.
    volumes.real = Volume::litres(litres * step.amount * kFreeGasTemperature.inKelvin() /
                                  kRoomTemperature.inKelvin() / kFreeGasBar);
    return volumes;
}

} // namespace

GasUsed gasUsed(const BlendPlan& plan, const Cylinder& cylinder, UnitSystem units) {
    return {volumesOf(plan.moved.helium, cylinder, units),
            volumesOf(plan.moved.oxygen, cylinder, units),
            volumesOf(plan.moved.topUp, cylinder, units),
            volumesOf(plan.moved.drained, cylinder, units)};
}

} // namespace quillan
