// How a report is written: the units its figures are in, how gases mix, and how the user
// writes numbers. Each choice is a parameter here, never a branch in a caller.
#pragma once

#include "engine/number_rules.h"
#include "report/units.h"

namespace quillan::report {

enum class GasModel {
    IdealPartialPressures, // a gas adds exactly its own pressure; fractions by pressure
    RealGas,               // compressibility counted; the plan gives gauge readings to fill by
};

struct ReportOptions {
    UnitSystem units = UnitSystem::PsiAndFeet;
    GasModel gas = GasModel::IdealPartialPressures;
    NumberLocale numbers = NumberLocale::classic(); // the decimal separator of PO2
};

} // namespace quillan::report
