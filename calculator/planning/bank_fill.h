// Filling from supply banks: each step's gas comes from the cylinders a station keeps, by
// equalising, from the lowest bank that can still push to the next; a booster takes over
// where none can reach.
#pragma once

#include "physics/gas_law.h"
#include "planning/blend_plan.h"
#include "planning/blend_problem.h"

#include <optional>
#include <string>
#include <vector>

namespace quillan {

enum class SupplyGas { Helium, Oxygen, TopUp };

struct Bank {
    SupplyGas role = SupplyGas::TopUp;
    GasMix gas = GasMix::air();
    Volume waterCapacity;    // one cylinder or a quad of several
    Pressure pressure;       // what it holds now, or a compressor's rated pressure
    bool compressor = false; // unlimited gas up to its rated pressure
};

struct BankSupply {
    std::vector<Bank> banks;                // a gas with no bank listed is unlimited
    Pressure minimum = Pressure::bar(10.0); // no bank is drawn below this
    bool booster = false;
    bool oxygenFirst = false; // oxygen before helium, to keep pure oxygen at low pressure
};

// One bank opened for one step, in filling order.
struct BankStep {
    SupplyGas gas = SupplyGas::TopUp;
    std::optional<std::size_t> bank; // index in the order given; none for an unlimited gas
    Pressure toReading;              // what the cylinder's gauge reads when it is closed
    std::optional<Pressure> bankAfter;
    std::optional<Pressure> boosted; // the rise the booster gave, from this bank
};

struct BankFill {
    std::vector<BankStep> steps;
    std::vector<Pressure> banksAfter; // in the order given
    bool possible = true;
    std::string whyNot;
    std::optional<Pressure> highestReading; // how far the fill gets when it cannot finish
    std::optional<GasMix> reachedMix;       // and what the cylinder then holds
    double fromBanks = 0.0;                 // amount that left the banks, bar x litres
    double intoCylinder = 0.0;              // amount the cylinder gained from them
};

// The plan's steps filled from `supply` into a cylinder of `water` litres, by `gas` at the
// fill temperature. The plan's readings (or its quantities, as gauge rises) say how far each
// step fills.
BankFill fillFromBanks(const BlendProblem& problem, const BlendPlan& plan, Volume water,
                       const CylinderGas& gas, const BankSupply& supply);

} // namespace quillan
