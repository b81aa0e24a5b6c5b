// A breathing gas: oxygen and helium are given, nitrogen is what they leave.
#pragma once

#include "quantities/quantities.h"

#include <string>

namespace quillan {

class GasMix {
  public:
    constexpr GasMix() = default;
    constexpr GasMix(GasFraction o2, GasFraction he) : o2_(o2), he_(he) {}
    // Whole or fractional percentages, as a user writes them.
    static constexpr GasMix percent(double o2, double he = 0.0) {
        return {GasFraction::percent(o2), GasFraction::percent(he)};
    }
    // Air is 21 % oxygen and 79 % nitrogen everywhere in the calculator.
    static constexpr GasMix air() { return percent(21.0); }
    static constexpr GasMix oxygen() { return percent(100.0); }
    static constexpr GasMix helium() { return percent(0.0, 100.0); }

    constexpr GasFraction o2() const { return o2_; }
    constexpr GasFraction he() const { return he_; }
    constexpr GasFraction n2() const {
        return GasFraction::fraction(1.0 - o2_.value() - he_.value());
    }

    // No share negative and none left over: a gas that can exist.
    constexpr bool isReal() const {
        return o2_.value() >= 0.0 && he_.value() >= 0.0 && n2().value() >= -1e-12;
    }

    // "Air", "Nitrox 32" or "Trimix 21/35", from the whole percentages.
    std::string name() const;

    constexpr bool operator==(const GasMix&) const = default;

  private:
    GasFraction o2_;
    GasFraction he_;
};

// Whole percentages of a mix that add up to 100: O2 and He to the nearest percent (halves to
// even), nitrogen what they leave.
struct WholePercent {
    int o2 = 0;
    int he = 0;
    int n = 0;
    bool operator==(const WholePercent&) const = default;
};
WholePercent wholePercent(const GasMix& mix);

// A cylinder's contents: what its gauge reads and the mix it holds.
struct CylinderContents {
    Pressure pressure;
    GasMix mix = GasMix::air();
};

} // namespace quillan
