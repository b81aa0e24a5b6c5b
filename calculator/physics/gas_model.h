// The gas models a user can plan with, and the law each counts by.
#pragma once

#include "physics/gas_law.h"

#include <optional>
#include <string_view>

namespace quillan {

enum class GasModel {
    IdealPartialPressures, // a gas adds exactly its own pressure; fractions by pressure
    Virial,                // the cubic virial fit other dive tools share, for comparison
    Gerg2008,              // the reference equation of state: "real gas"
};

const GasLaw& gasLawOf(GasModel model);

// "ideal", "virial" or "real": the names the settings and the command line use.
std::string_view gasModelName(GasModel model);
std::optional<GasModel> gasModelNamed(std::string_view name);

} // namespace quillan
