// How a report is written: the units its figures are in, how gases mix, and how the user
// writes numbers. Each choice is a parameter here, never a branch in a caller.
#pragma once

#include "engine/number_rules.h"

#include <string_view>

namespace quillan::report {

enum class UnitSystem {
    PsiAndFeet, // pressure in PSI, depth in feet of sea water
};

enum class GasModel {
    IdealPartialPressures, // a gas adds exactly its own pressure; fractions by pressure
    RealGas,               // compressibility counted; the plan gives gauge readings to fill by
};

struct ReportOptions {
    UnitSystem units = UnitSystem::PsiAndFeet;
    GasModel gas = GasModel::IdealPartialPressures;
    NumberLocale numbers = NumberLocale::classic(); // the decimal separator of PO2
};

// The words the lines use for a pressure and a depth.
struct UnitLabels {
    std::string_view pressure;
    std::string_view depth;
};
UnitLabels unitLabels(UnitSystem units);

} // namespace quillan::report
