// The GERG-2008 equation of state (Kunz & Wagner, J. Chem. Eng. Data 57 (2012) 3032) for the
// three gases a diver blends: nitrogen, oxygen and helium.
#pragma once

#include "physics/gas_law.h"

#include <optional>

namespace quillan {

// Z from the mixture's reduced residual Helmholtz energy, at the density the pressure equation
// gives for the gas. Only where the equation is trusted: 90 to 450 K and up to 350 bar
// absolute; nothing elsewhere, and nothing when the density does not settle.
class Gerg2008 final : public GasLaw {
  public:
    std::optional<double> compressibility(const GasMix& mix, double absoluteBar,
                                          Temperature temperature) const override;

    // The gas's molar density in mol/L (mol/dm³), under the same conditions as Z.
    static std::optional<double> molarDensity(const GasMix& mix, double absoluteBar,
                                              Temperature temperature);
};

} // namespace quillan
