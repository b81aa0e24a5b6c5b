// The two calculations, for any gas model and unit system: how to blend the required mix, and
// which mix a plain top-up gives. A problem in, a plan or the reason there is none out.
#pragma once

#include "physics/gas_model.h"
#include "planning/blend_plan.h"
#include "planning/mixer.h"
#include "quantities/cylinder.h"
#include "quantities/unit_system.h"

#include <optional>

namespace quillan {

struct PlanOptions {
    UnitSystem units = UnitSystem::PsiAndFeet; // of the problem's whole figures
    GasModel gas = GasModel::IdealPartialPressures;
    // The cylinder's temperature while filling, and the one the required pressure is meant at
    // (the start is read at it too).
    Temperature fill = kRoomTemperature;
    Temperature settle = kRoomTemperature;
    // The cylinder being filled, when known: no plan fills it past its test pressure.
    std::optional<Cylinder> cylinder{};
    // In whole PSI, the exact plan with the least drain rather than the classic pass loop's.
    bool leastDrain = false;
    // A top-up gas from a supply bank, trimix or heliair included, in place of the problem's
    // nitrox.
    std::optional<GasMix> topUpGas{};

    // Plain partial pressures at room temperature: the classic whole-unit arithmetic.
    bool classic() const {
        return gas == GasModel::IdealPartialPressures && fill == kRoomTemperature &&
               settle == kRoomTemperature;
    }
};

// The highest the gauge reads during the plan: the last reading, hot when filled hot.
Pressure highestReading(const BlendPlan& plan);

// The step of the readings a plan gives, in the unit system's unit: a tenth of a bar under the
// reference law (a bar is 0.4 of a point in a 232-bar trimix), else a whole unit.
double readingStep(const PlanOptions& options);

// The problem's figures are whole units of `options.units`, as the window's fields hold them.
// Throws RuntimeError where the classic solver does: a top-up O2 outside 21..100 (999999), of
// 100 (11), arithmetic that overflows (6), or percentages no gas has (5).
PlanOutcome planRequiredMix(const Mixer& problem, const PlanOptions& options);

// The start topped up with the top-up gas to the required pressure; the required mix plays no
// part. The plan's final mix is what the cylinder then holds.
PlanOutcome planTopUp(const Mixer& problem, const PlanOptions& options);

} // namespace quillan
