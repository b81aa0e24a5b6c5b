#include "planning/fill_cost.h"

#include <cmath>

namespace quillan {

namespace {

double cents(double amount) {
    return std::nearbyint(amount * 100.0) / 100.0;
}

double charged(const GasVolumes& volumes, const Prices& prices, UnitSystem units, double price) {
    const Volume volume = prices.basis == ChargeBasis::Nominal ? volumes.nominal : volumes.real;
    const double quantity =
        units == UnitSystem::BarAndMetres ? volume.inLitres() : volume.inCubicFeet();
    return cents(quantity * price);
}

} // namespace

FillCost fillCost(const GasUsed& used, const Prices& prices, UnitSystem units) {
    FillCost cost;
    cost.helium = charged(used.helium, prices, units, prices.helium);
    cost.oxygen = charged(used.oxygen, prices, units, prices.oxygen);
    cost.topUp = charged(used.topUp, prices, units, prices.topUp);
    cost.fee = cents(prices.fillFee);
    cost.total = cents(cost.helium + cost.oxygen + cost.topUp + cost.fee);
    return cost;
}

} // namespace quillan
