#include "best_arguments.h"

#include "engine/runtime_error.h"
#include "rules/limits.h"

#include <CLI/CLI.hpp>

#include <vector>

namespace quillan::blend {

namespace {

double number(const std::string& option, const std::string& value, double lower, double upper,
              const std::string& rule, const NumberLocale& numbers) {
    double figure = 0.0;
    try {
        figure = parseNumber(value, numbers);
    } catch (const RuntimeError&) {
        bad(option, value, rule);
    }
    if (!(figure >= lower && figure <= upper))
        bad(option, value, rule);
    return figure;
}

std::string depthRule(const std::string& what, double upper, UnitSystem units) {
    return what + " must be a number from 0 to " + formatNumber(std::int64_t(upper)) + " " +
           std::string(unitLabels(units).depth);
}

// The cylinder at hand, read and checked exactly as the blending command reads it.
Mixer cylinderAtHand(const std::string& have, const std::string& fill, const std::string& top,
                     UnitSystem units, const NumberLocale& numbers) {
    std::vector<std::string> words{"quillan-blend",
                                   "--have",
                                   have,
                                   "--fill",
                                   fill,
                                   "--units",
                                   std::string(unitSystemName(units))};
    if (!top.empty())
        words.insert(words.end(), {"--top", top});
    std::vector<const char*> argv;
    for (const std::string& word : words)
        argv.push_back(word.c_str());
    return parseArguments(int(argv.size()), argv.data(), numbers).problem;
}

} // namespace

BestRequest parseBestArguments(int argc, const char* const* argv, const NumberLocale& numbers) {
    CLI::App app("quillan-blend best");
    std::string depth, po2, end, narcotic, density, units, gas, have, fill, top;
    const auto single = [&app](const std::string& name, std::string& value) {
        return app.add_option(name, value)->multi_option_policy(CLI::MultiOptionPolicy::Throw);
    };
    auto* depthOption = single("--depth", depth);
    auto* po2Option = single("--po2", po2);
    auto* endOption = single("--end", end);
    auto* narcoticOption = single("--o2-narcotic", narcotic);
    auto* densityOption = single("--density", density);
    auto* unitsOption = single("--units", units);
    auto* gasOption = single("--gas", gas);
    auto* haveOption = single("--have", have);
    auto* fillOption = single("--fill", fill);
    single("--top", top);
    auto* jsonOption = app.add_flag("--json")->multi_option_policy(CLI::MultiOptionPolicy::Throw);
    jsonOption->disable_flag_override();
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        throw BadInput(e.what());
    }

    if (depthOption->count() == 0)
        throw BadInput("--depth is required: the planned maximum depth");
    BestRequest request;
    BestMixLimits& limits = request.limits;
    if (unitsOption->count() > 0) {
        const auto named = unitSystemNamed(units);
        if (!named)
            bad("--units", units, "units are imperial (PSI and feet) or metric (bar and metres)");
        limits.units = *named;
    } else {
        limits.units = UnitSystem::PsiAndFeet;
    }
    const double maxDepth = unitRanges(limits.units).maxDepth;
    limits =
        defaultLimits(limits.units, number("--depth", depth, 0, maxDepth,
                                           depthRule("depth", maxDepth, limits.units), numbers));
    if (po2Option->count() > 0)
        limits.maxPO2 = divePO2("--po2", po2, numbers);
    if (endOption->count() > 0)
        limits.maxEnd =
            number("--end", end, 0, maxDepth, depthRule("END", maxDepth, limits.units), numbers);
    if (narcoticOption->count() > 0) {
        if (narcotic != "yes" && narcotic != "no")
            bad("--o2-narcotic", narcotic, "oxygen is narcotic yes or no");
        limits.o2Narcotic = narcotic == "yes";
    }
    if (densityOption->count() > 0)
        limits.maxDensity = number("--density", density, 1.0, kDensityWarning,
                                   "a density is a number from 1 to " +
                                       formatNumber(kDensityWarning, numbers) + " g/L",
                                   numbers);
    if (gasOption->count() > 0) {
        const auto model = gasModelNamed(gas);
        if (!model)
            bad("--gas", gas, "the gas model is ideal, virial or real");
        limits.gas = *model;
    }
    if (haveOption->count() != fillOption->count())
        throw BadInput("--have and --fill go together: the cylinder at hand and its fill");
    if (haveOption->count() > 0)
        request.problem = cylinderAtHand(have, fill, top, limits.units, numbers);
    request.json = jsonOption->count() > 0;
    return request;
}

} // namespace quillan::blend
