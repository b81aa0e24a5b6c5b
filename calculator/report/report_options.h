// How a report is written: the units its figures are in, how gases mix, and how the user
// writes numbers. Each choice is a parameter here, never a branch in a caller.
#pragma once

#include "engine/number_rules.h"
#include "physics/gas_model.h"
#include "planning/bank_fill.h"
#include "planning/blend_planner.h"
#include "planning/fill_cost.h"
#include "quantities/unit_system.h"

namespace quillan::report {

struct ReportOptions {
    UnitSystem units = UnitSystem::PsiAndFeet;
    GasModel gas = GasModel::IdealPartialPressures;
    NumberLocale numbers = NumberLocale::classic(); // the decimal separator of PO2
    Temperature fill = kRoomTemperature;
    Temperature settle = kRoomTemperature;
    // The analyser checkpoints and the gas density at the MOD; always under the reference law.
    bool checkpoints = false;
    // The cylinder filled, and the prices: a fill sheet follows the plan when it is known.
    std::optional<Cylinder> cylinder;
    std::optional<Prices> prices;
    bool leastDrain = false; // plan by the least drain rather than the classic pass loop
    // The supply banks the steps are filled from (with a cylinder), and a top-up gas of
    // theirs other than the problem's nitrox.
    std::optional<BankSupply> supply;
    std::optional<GasMix> topUpGas;
    // The diver's own PO2: the final mix's MOD at it follows the MOD at 1.6.
    std::optional<double> modAtPO2;

    PlanOptions planOptions() const {
        return {.units = units,
                .gas = gas,
                .fill = fill,
                .settle = settle,
                .cylinder = cylinder,
                .leastDrain = leastDrain,
                .topUpGas = topUpGas};
    }
    bool showsCheckpoints() const { return checkpoints || gas == GasModel::Gerg2008; }
};

} // namespace quillan::report
