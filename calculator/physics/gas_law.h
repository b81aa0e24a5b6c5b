// How much gas a cylinder holds at a pressure and temperature: the gas laws the planner can
// count with, behind one interface, and the amounts of gas it moves between readings.
#pragma once

#include "quantities/gas_mix.h"
#include "quantities/quantities.h"

#include <optional>

namespace quillan {

// A gas law: the compressibility factor Z of a mix. Pressures are absolute, in bar.
class GasLaw {
  public:
    virtual ~GasLaw() = default;
    // Z of `mix` at `absoluteBar` and `temperature`; nothing outside the law's range.
    virtual std::optional<double> compressibility(const GasMix& mix, double absoluteBar,
                                                  Temperature temperature) const = 0;
};

// Z = 1 at every pressure.
class IdealGas final : public GasLaw {
  public:
    std::optional<double> compressibility(const GasMix&, double, Temperature) const override {
        return 1.0;
    }
};

// The cubic virial fit that several dive tools share, Z(P) = 1 + sum of x (c1 P + c2 P^2 +
// c3 P^3) per gas, averaged by mole fraction. It has no temperature term, and is held at its
// value beyond 500 bar, where it is not trusted.
class VirialFit final : public GasLaw {
  public:
    std::optional<double> compressibility(const GasMix& mix, double absoluteBar,
                                          Temperature temperature) const override;
};

// The gas in a cylinder: the amount of each gas as the pressure it would show alone if it were
// ideal, in absolute bar at 20 °C.
struct GasAmounts {
    double o2 = 0.0;
    double he = 0.0;
    double n2 = 0.0;

    double total() const { return o2 + he + n2; }
    // The mix these amounts make; air-free nothing for no gas at all.
    GasMix mix() const;
    // Adds `amount` of `gas`.
    void add(const GasMix& gas, double amount);
};
GasAmounts amountsOf(const GasMix& gas, double amount);

// A cylinder's gas under a law at one temperature. `countsAtmosphere` says where the gauge's
// zero is: at one atmosphere, as a real cylinder (a drained cylinder still holds an atmosphere),
// or at vacuum, as the classic partial-pressure arithmetic counts.
struct CylinderGas {
    const GasLaw& law;
    Temperature temperature = kRoomTemperature;
    bool countsAtmosphere = true;

    // The amount of `mix` a cylinder holds when its gauge reads `gauge`.
    double amountAt(const GasMix& mix, Pressure gauge) const;
    // What the gauge reads for `amounts`; nothing when the law cannot say or the solve does
    // not settle, never a rough value.
    std::optional<Pressure> gaugeOf(const GasAmounts& amounts) const;
    // The amount of `gas` to add to `have` for the gauge to read `gauge`; not above 0 when it
    // reads that or more already; nothing when the law cannot say.
    std::optional<double> amountToReach(const GasAmounts& have, const GasMix& gas,
                                        Pressure gauge) const;
};

} // namespace quillan
