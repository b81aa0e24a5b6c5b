// The price of a fill: each gas by the volume charged, a fill fee, in a currency's cents.
#pragma once

#include "planning/gas_used.h"

#include <string>

namespace quillan {

enum class ChargeBasis { Nominal, Real };

// Prices per litre in metric, per cubic foot in imperial, of free gas.
struct Prices {
    double helium = 0.0;
    double oxygen = 0.0;
    double topUp = 0.0;
    double fillFee = 0.0;
    std::string currency{};
    ChargeBasis basis = ChargeBasis::Nominal; // the shop's convention by default
};

// Each amount in whole cents of the currency; the total is the sum of the rounded parts, so
// the bill adds up.
struct FillCost {
    double helium = 0.0;
    double oxygen = 0.0;
    double topUp = 0.0;
    double fee = 0.0;
    double total = 0.0;
};

FillCost fillCost(const GasUsed& used, const Prices& prices, UnitSystem units);

} // namespace quillan
