#include "planning/bank_fill.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace quillan {

namespace {

constexpr int kBisections = 60;
constexpr double kReached = 1e-6; // bar: a reading this close is reached

// A vessel of gas: amounts per litre (see GasAmounts) and its water litres.
struct Vessel {
    GasAmounts perLitre;
    double litres = 0.0;

    double total() const { return perLitre.total() * litres; }
};

Pressure vesselReading(const CylinderGas& gas, const GasAmounts& amounts) {
    return gas.gaugeOf(amounts).value_or(Pressure::bar(NAN));
}

GasAmounts withAdded(const Vessel& vessel, const GasMix& mix, double amount) {
    GasAmounts after = vessel.perLitre;
    after.add(mix, amount / vessel.litres);
    return after;
}

GasMix stepGas(SupplyGas role, const BlendProblem& problem) {
    switch (role) {
    case SupplyGas::Helium:
        return GasMix::helium();
    case SupplyGas::Oxygen:
        return GasMix::oxygen();
    case SupplyGas::TopUp:
        break;
    }
    return problem.topUp;
}

std::string gasWord(SupplyGas role) {
    switch (role) {
    case SupplyGas::Helium:
        return "helium";
    case SupplyGas::Oxygen:
        return "oxygen";
    case SupplyGas::TopUp:
        break;
    }
    return "top-up";
}

// The readings each step fills to, in the plan's order, at the fill temperature.
struct Target {
    SupplyGas gas;
    Pressure reading;
};

std::vector<Target> targetsOf(const BlendProblem& problem, const BlendPlan& plan,
                              bool oxygenFirst) {
    Pressure reading = problem.start.pressure - plan.drain;
    std::vector<Target> targets;
    const auto add = [&](SupplyGas gas, Pressure rise, std::optional<Pressure> after) {
        reading = after.value_or(reading + rise);
        if (rise > Pressure())
            targets.push_back({gas, reading});
    };
    const std::optional<GaugeReadings>& gauges = plan.gauges;
    if (oxygenFirst && !gauges) {
        add(SupplyGas::Oxygen, plan.oxygen, std::nullopt);
        add(SupplyGas::Helium, plan.helium, std::nullopt);
    } else {
        add(SupplyGas::Helium, plan.helium,
            gauges ? std::optional(gauges->afterHelium) : std::nullopt);
        add(SupplyGas::Oxygen, plan.oxygen,
            gauges ? std::optional(gauges->afterOxygen) : std::nullopt);
    }
    add(SupplyGas::TopUp, plan.topUp, gauges ? std::optional(gauges->afterTopUp) : std::nullopt);
    return targets;
}

// The most of `mix` a bank can pass to the cylinder: until the cylinder reads `reading`,
// the two equalise, or the bank reaches its minimum.
double transferable(const Vessel& cylinder, const Vessel& bank, const GasMix& mix, Pressure reading,
                    Pressure minimum, const CylinderGas& gas) {
    const double toReading =
        std::max(0.0, *gas.amountToReach(cylinder.perLitre, mix, reading) * cylinder.litres);
    const double aboveMinimum =
        std::max(0.0, bank.total() - gas.amountAt(mix, minimum) * bank.litres);
    const double most = std::min(toReading, aboveMinimum);
    const auto pushes = [&](double x) {
        return vesselReading(gas, withAdded(bank, mix, -x)) >=
               vesselReading(gas, withAdded(cylinder, mix, x));
    };
    if (pushes(most))
        return most;
    double low = 0.0;
    double high = most;
    for (int i = 0; i < kBisections; ++i) {
        const double middle = (low + high) / 2.0;
        (pushes(middle) ? low : high) = middle;
    }
    return low;
}

} // namespace

BankFill fillFromBanks(const BlendProblem& problem, const BlendPlan& plan, Volume water,
                       const CylinderGas& gas, const BankSupply& supply) {
    BankFill fill;
    std::vector<Vessel> banks;
    for (const Bank& bank : supply.banks)
        banks.push_back({amountsOf(bank.gas, gas.amountAt(bank.gas, bank.pressure)),
                         bank.waterCapacity.inLitres()});
    Vessel cylinder{amountsOf(problem.start.mix,
                              gas.amountAt(problem.start.mix, problem.start.pressure - plan.drain)),
                    water.inLitres()};

    for (const Target& target : targetsOf(problem, plan, supply.oxygenFirst)) {
        const GasMix mix = stepGas(target.gas, problem);
        std::vector<std::size_t> order;
        for (std::size_t i = 0; i < supply.banks.size(); ++i)
            if (supply.banks[i].role == target.gas)
                order.push_back(i);
        if (order.empty()) { // unlimited, as without banks
            cylinder.perLitre =
                withAdded(cylinder, mix,
                          std::max(0.0, *gas.amountToReach(cylinder.perLitre, mix, target.reading) *
                                            cylinder.litres));
            fill.steps.push_back({target.gas, std::nullopt, target.reading, std::nullopt, {}});
            continue;
        }
        // Cascade: the bank with the lowest pressure that can still push goes first.
        std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            return supply.banks[a].pressure < supply.banks[b].pressure;
        });
        for (const std::size_t i : order) {
            const Bank& bank = supply.banks[i];
            Pressure now = vesselReading(gas, cylinder.perLitre);
            if (now >= target.reading - Pressure::bar(kReached))
                break;
            double moved = 0.0;
            if (bank.compressor) {
                const Pressure to = std::min(target.reading, bank.pressure);
                moved =
                    std::max(0.0, *gas.amountToReach(cylinder.perLitre, mix, to) * cylinder.litres);
            } else if (bank.pressure > now && bank.pressure > supply.minimum) {
                moved = transferable(cylinder, banks[i], mix, target.reading, supply.minimum, gas);
                banks[i].perLitre = withAdded(banks[i], mix, -moved);
                fill.fromBanks += moved;
            }
            if (moved <= 0.0)
                continue;
            cylinder.perLitre = withAdded(cylinder, mix, moved);
            fill.intoCylinder += moved;
            std::optional<Pressure> after;
            if (!bank.compressor)
                after = vesselReading(gas, banks[i].perLitre);
            fill.steps.push_back({target.gas, i, vesselReading(gas, cylinder.perLitre), after, {}});
        }
        const Pressure reached = vesselReading(gas, cylinder.perLitre);
        if (reached >= target.reading - Pressure::bar(kReached))
            continue;
        // The fullest bank of this gas that is not a compressor feeds the booster.
        std::optional<std::size_t> feed;
        for (const std::size_t i : order)
            if (!supply.banks[i].compressor && (!feed || banks[i].total() > banks[*feed].total()))
                feed = i;
        const double missing =
            *gas.amountToReach(cylinder.perLitre, mix, target.reading) * cylinder.litres;
        const bool fed = feed && banks[*feed].total() -
                                         gas.amountAt(mix, supply.minimum) * banks[*feed].litres >=
                                     missing;
        if (supply.booster && fed) {
            banks[*feed].perLitre = withAdded(banks[*feed], mix, -missing);
            cylinder.perLitre = withAdded(cylinder, mix, missing);
            fill.fromBanks += missing;
            fill.intoCylinder += missing;
            fill.steps.push_back({target.gas, *feed, target.reading,
                                  vesselReading(gas, banks[*feed].perLitre),
                                  target.reading - reached});
            continue;
        }
        fill.possible = false;
        fill.whyNot = "The " + gasWord(target.gas) + " banks cannot fill the " +
                      gasWord(target.gas) + " step" +
                      (supply.booster ? ", even boosted" : " without a booster");
        fill.highestReading = reached;
        fill.reachedMix = cylinder.perLitre.mix();
        break;
    }
    for (std::size_t i = 0; i < banks.size(); ++i)
        fill.banksAfter.push_back(supply.banks[i].compressor
                                      ? supply.banks[i].pressure
                                      : vesselReading(gas, banks[i].perLitre));
    return fill;
}

} // namespace quillan
