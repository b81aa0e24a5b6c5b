// What the dive tools may do with the window, and no more: read its units and its blending
// problem, and fill its required mix.
#pragma once

#include "planning/mixer.h"
#include "quantities/gas_mix.h"
#include "quantities/unit_system.h"

#include <cstdint>
#include <functional>
#include <optional>

struct WindowFields;

struct RequiredMixAccess {
    std::function<quillan::UnitSystem()> units;
    // The fields as a problem; throws when one is not a number.
    std::function<quillan::Mixer()> problem;
    // Writes O2, He and N, and the target depth: `depth`, or as the commands do the mix's MOD;
    // then the depth figures follow.
    std::function<void(const quillan::WholePercent&, std::optional<std::int16_t> depth)>
        fillRequiredMix;
};

// The access to the main window's fields.
RequiredMixAccess windowAccess(const WindowFields& fields,
                               std::function<quillan::UnitSystem()> units,
                               std::function<quillan::Mixer()> problem);
