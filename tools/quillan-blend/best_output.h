// What "quillan-blend best" prints: a few lines, or one JSON object.
#pragma once

#include "best_arguments.h"

#include <string>
#include <vector>

namespace quillan::blend {

// The best mix and, with a cylinder at hand, whether it can be blended there.
struct BestAnswer {
    BestMixOutcome outcome;
    std::optional<PlanOutcome> blend;
};

BestAnswer answerBest(const BestRequest& request);

std::vector<std::string> bestTextLines(const BestRequest& request, const BestAnswer& answer,
                                       const NumberLocale& numbers);

// o2, he, mod, end, density, binding, hypoxic_above; without a mix possible false and why_not.
std::string bestJsonText(const BestRequest& request, const BestAnswer& answer,
                         const NumberLocale& numbers);

} // namespace quillan::blend
