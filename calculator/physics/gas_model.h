// The gas models a user can plan with, and the law each counts by.
#pragma once

#include "physics/gas_law.h"

namespace quillan {

enum class GasModel {
    IdealPartialPressures, // a gas adds exactly its own pressure; fractions by pressure
    RealGas,               // compressibility counted; the plan gives gauge readings to fill by
};

const GasLaw& gasLawOf(GasModel model);

} // namespace quillan
