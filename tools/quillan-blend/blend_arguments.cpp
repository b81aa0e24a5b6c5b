#include "blend_arguments.h"

#include "engine/runtime_error.h"
#include "rules/limits.h"

#include <CLI/CLI.hpp>

#include <string_view>
#include <vector>

namespace quillan::blend {

namespace {

// One cylinder: pressure and whole-percent O2, He and N, N derived as the window does.
struct CylinderArgument {
    std::int16_t pressure = 0;
    std::int16_t o2 = 0;
    std::int16_t he = 0;
    std::int16_t n = 0;
};

[[noreturn]] void bad(const std::string& option, const std::string& value,
                      const std::string& rule) {
    throw BadInput(option + " " + value + ": " + rule);
}

std::string wholeNumberRule(const std::string& what, std::int16_t lower, std::int16_t upper,
                            std::string_view unit = {}) {
    return what + " must be a whole number from " + formatNumber(lower) + " to " +
           formatNumber(upper) + std::string(unit);
}

// The unit a range message names after its upper bound. The PSI and feet messages have
// always named none, and scripts may match them; bar and metres say so, so that a range
// is never mistaken for one in PSI or feet.
std::string rangeUnit(UnitSystem units, std::string_view label) {
    switch (units) {
    case UnitSystem::PsiAndFeet:
        return {};
    case UnitSystem::BarAndMetres:
        break;
    }
    return " " + std::string(label);
}

// Pressure and depth: their upper bounds and the unit the messages name.
struct QuantityRules {
    UnitRanges ranges;
    std::string pressureUnit;
    std::string depthUnit;
};

QuantityRules quantityRules(UnitSystem units) {
    const UnitLabels labels = unitLabels(units);
    return {unitRanges(units), rangeUnit(units, labels.pressure), rangeUnit(units, labels.depth)};
}

// A number in the user's locale within the inclusive bounds, then rounded halves to even:
// what the window accepts from a field. Nothing else is, not even an empty text.
std::optional<std::int16_t> wholeNumber(std::string_view text, std::int16_t lower,
                                        std::int16_t upper, const NumberLocale& numbers) {
    double value = 0.0;
    try {
        value = parseTypedNumber(text, numbers);
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
    if (!(value >= lower && value <= upper))
        return std::nullopt;
    return toInt16(value);
}

struct ValueCheck {
    std::string option; // "--top"
    std::string value;  // the argument as given
    const NumberLocale& numbers;

    std::int16_t whole(std::string_view text, const std::string& what, std::int16_t lower,
                       std::int16_t upper, std::string_view unit = {}) const {
        if (auto number = wholeNumber(text, lower, upper, numbers))
            return *number;
        bad(option, value, wholeNumberRule(what, lower, upper, unit));
    }
};

std::vector<std::string_view> splitParts(std::string_view text) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t slash = text.find('/', start);
        parts.push_back(text.substr(start, slash - start));
        if (slash == std::string_view::npos)
            return parts;
        start = slash + 1;
    }
}

// PRESSURE/O2 or PRESSURE/O2/He. Helium is allowed where the window's balancing would keep
// it: none without oxygen or in pure oxygen, else up to 90 and to 100 - O2. N is what is left.
CylinderArgument cylinder(const std::string& option, const std::string& value,
                          const std::string& which, std::int16_t maxPressure,
                          const std::string& pressureUnit, const NumberLocale& numbers) {
    const std::vector<std::string_view> parts = splitParts(value);
    if (parts.size() < 2 || parts.size() > 3)
        bad(option, value, "a mix is written PRESSURE/O2 or PRESSURE/O2/He");
    const ValueCheck check{option, value, numbers};
    CylinderArgument result;
    result.pressure = check.whole(parts[0], which + " pressure", 0, maxPressure, pressureUnit);
    result.o2 = check.whole(parts[1], which + " O2", kPercentRange.lower, kPercentRange.upper);
    // The most helium the window's balancing keeps with this O2.
    const auto maxHelium = static_cast<std::int16_t>(
        balanceMix({double(result.o2), double(kPercentRange.upper), 0.0}).he);
    if (parts.size() == 3) {
        // Checked as the window checks the field, then held to what its balancing keeps.
        const std::string rule = maxHelium == 0
                                     ? which + " He must be 0 with O2 " + formatNumber(result.o2)
                                     : wholeNumberRule(which + " He", 0, maxHelium) + " with O2 " +
                                           formatNumber(result.o2);
        const auto he = wholeNumber(parts[2], kPercentRange.lower, kPercentRange.upper, numbers);
        if (!he || *he > maxHelium)
            bad(option, value, rule);
        result.he = *he;
    }
    result.n = static_cast<std::int16_t>(balanceMix({double(result.o2), double(result.he), 0.0}).n);
    return result;
}

// Single-valued options: a second use is bad input, not a silent override. CLI11 keeps
// every use, so that the check after parsing can say so in the command's own words.
CLI::Option* single(CLI::App& app, const std::string& name, std::string& value) {
    return app.add_option(name, value)->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
}

void refuseRepeats(const CLI::App& app) {
    for (const CLI::Option* option : app.get_options())
        if (option->count() > 1)
            throw BadInput(option->get_name() + " is given more than once");
}

// CLI11's own words ("--want: 1 required TEXT missing", "json was given a disallowed flag
// override") in the command's: the option a mismatch names is CLI11's first word.
BadInput parseFailure(const CLI::App& app, const CLI::ParseError& e) {
    const std::string text = e.what();
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&e) != nullptr) {
        std::string name = text.substr(0, text.find_first_of(": "));
        if (name.rfind("--", 0) != 0)
            name = "--" + name;
        if (const CLI::Option* option = app.get_option_no_throw(name))
            return BadInput(
                name + (option->get_expected_min() == 0 ? " takes no value" : " needs a value"));
    }
    return BadInput("cannot read the arguments: " + text);
}

GasModel gasModel(const std::string& value) {
    if (value == "ideal")
        return GasModel::IdealPartialPressures;
    if (value == "real")
        return GasModel::RealGas;
    bad("--gas", value, "the gas model is ideal or real");
}

} // namespace

Mixer airTopUp() {
    Mixer problem;
    problem.TopupMixFO2(kTopUpO2Range.lower); // air
    return problem;
}

BlendRequest parseArguments(int argc, const char* const* argv, const NumberLocale& numbers) {
    CLI::App app("quillan-blend");
    app.set_help_flag("-h,--help");
    bool version = false;
    std::string have, want, fill, top, depth, units, gas;
    single(app, "--have", have);
    auto* wantOption = single(app, "--want", want);
    auto* fillOption = single(app, "--fill", fill);
    auto* topOption = single(app, "--top", top);
    auto* depthOption = single(app, "--depth", depth);
    auto* unitsOption = single(app, "--units", units);
    auto* gasOption = single(app, "--gas", gas);
    auto* haveOption = app.get_option("--have");
    auto* jsonOption =
        app.add_flag("--json")->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.add_flag("--version", version)->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.allow_extras();
    for (CLI::Option* flag : {jsonOption, app.get_option("--version")})
        flag->disable_flag_override();

    BlendRequest request;
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        return request;
    } catch (const CLI::ParseError& e) {
        throw parseFailure(app, e);
    }
    if (!app.remaining().empty())
        throw BadInput("unknown argument " + app.remaining().front());
    refuseRepeats(app);
    if (version) {
        for (const CLI::Option* other : {haveOption, wantOption, fillOption, topOption, depthOption,
                                         unitsOption, gasOption, jsonOption})
            if (other->count() > 0)
                throw BadInput("--version takes no other argument");
        request.command = Command::Version;
        return request;
    }

    if (haveOption->count() == 0)
        throw BadInput("--have is required: the starting cylinder, PRESSURE/O2[/He]");
    if (wantOption->count() > 0 && fillOption->count() > 0)
        throw BadInput("--want and --fill cannot be used together");
    if (wantOption->count() == 0 && fillOption->count() == 0)
        throw BadInput("--want PRESSURE/O2[/He] or --fill PRESSURE is required");

    if (unitsOption->count() > 0) {
        const auto named = unitSystemNamed(units);
        if (!named)
            bad("--units", units, "units are imperial (PSI and feet) or metric (bar and metres)");
        request.units = *named;
    }
    const QuantityRules rules = quantityRules(request.units);

    const CylinderArgument start = cylinder(
        "--have", have, "starting", rules.ranges.maxStartingPressure, rules.pressureUnit, numbers);
    CylinderArgument required;
    if (wantOption->count() > 0) {
        request.command = Command::RequiredMix;
        required = cylinder("--want", want, "required", rules.ranges.maxRequiredPressure,
                            rules.pressureUnit, numbers);
    } else {
        request.command = Command::TopUp;
        required.pressure = ValueCheck{"--fill", fill, numbers}.whole(
            fill, "required pressure", 0, rules.ranges.maxRequiredPressure, rules.pressureUnit);
    }
    request.problem.Load(start.pressure, start.o2, start.he, start.n, required.pressure,
                         required.o2, required.he, required.n);
    if (topOption->count() > 0)
        request.problem.TopupMixFO2(ValueCheck{"--top", top, numbers}.whole(
            top, "top-up O2", kTopUpO2Range.lower, kTopUpO2Range.upper));
    if (depthOption->count() > 0)
        request.depth = ValueCheck{"--depth", depth, numbers}.whole(
            depth, "target depth", 0, rules.ranges.maxDepth, rules.depthUnit);
    if (gasOption->count() > 0)
        request.gas = gasModel(gas);
    request.json = jsonOption->count() > 0;
    return request;
}

} // namespace quillan::blend
