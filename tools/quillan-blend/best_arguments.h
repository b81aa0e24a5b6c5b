// The command line of "quillan-blend best": the planned depth and the diver's limits, and
// optionally the cylinder at hand to say whether the best mix can be blended in it.
#pragma once

#include "blend_arguments.h"
#include "planning/best_mix.h"

namespace quillan::blend {

struct BestRequest {
    BestMixLimits limits;
    std::optional<Mixer> problem; // with --have and --fill
    bool json = false;
};

// Reads argv (argv[0] is "best"); throws BadInput.
BestRequest parseBestArguments(int argc, const char* const* argv, const NumberLocale& numbers);

} // namespace quillan::blend
