#include "blend_arguments.h"

#include "log_options.h"

#include "bank_arguments.h"
#include "engine/runtime_error.h"
#include "planning/best_mix.h"
#include "quantities/cylinder_library.h"
#include "rules/limits.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

namespace quillan::blend {

[[noreturn]] void bad(const std::string& option, const std::string& value,
                      const std::string& rule) {
    throw BadInput(option + " " + value + ": " + rule);
}

namespace {

// One cylinder: pressure and whole-percent O2, He and N, N derived as the window does.
struct CylinderArgument {
    std::int16_t pressure = 0;
    std::int16_t o2 = 0;
    std::int16_t he = 0;
    std::int16_t n = 0;
};

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
        if (option->count() > 1 &&
            option->get_multi_option_policy() != CLI::MultiOptionPolicy::TakeAll)
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
    if (const auto model = gasModelNamed(value))
        return *model;
    bad("--gas", value, "the gas model is ideal, virial or real");
}

// T, TC or TF: a bare number is in the unit system's own scale (°C metric, °F imperial).
Temperature temperature(const std::string& option, const std::string& value, UnitSystem units,
                        const NumberLocale& numbers) {
    std::string_view number = value;
    bool fahrenheit = units == UnitSystem::PsiAndFeet;
    if (!number.empty() && (number.back() == 'C' || number.back() == 'F')) {
        fahrenheit = number.back() == 'F';
        number.remove_suffix(1);
    }
    const std::string rule =
        "a temperature is a number from " + formatNumber(kLowestCelsius, numbers) + " to " +
        formatNumber(kHighestCelsius, numbers) + " °C, with C or F after it to say which";
    double figure = 0.0;
    try {
        figure = parseNumber(number, numbers);
    } catch (const RuntimeError&) {
        bad(option, value, rule);
    }
    const Temperature t =
        fahrenheit ? Temperature::fahrenheit(figure) : Temperature::celsius(figure);
    if (!(t.inCelsius() >= kLowestCelsius - 1e-9 && t.inCelsius() <= kHighestCelsius + 1e-9))
        bad(option, value, rule);
    return t;
}

// GAS=PRICE, GAS one of helium, oxygen, top_up; a price is a number of 0 or more.
void price(const std::string& value, Prices& prices, const NumberLocale& numbers) {
    const std::size_t equals = value.find('=');
    const std::string gas = value.substr(0, equals);
    double* slot = gas == "helium"   ? &prices.helium
                   : gas == "oxygen" ? &prices.oxygen
                   : gas == "top_up" ? &prices.topUp
                                     : nullptr;
    const std::string rule = "a price is helium=, oxygen= or top_up= and a number of 0 or more, "
                             "per litre in metric and per cubic foot in imperial";
    if (slot == nullptr || equals == std::string::npos)
        bad("--price", value, rule);
    try {
        *slot = parseNumber(std::string_view(value).substr(equals + 1), numbers);
    } catch (const RuntimeError&) {
        bad("--price", value, rule);
    }
    if (!(*slot >= 0.0) || !std::isfinite(*slot))
        bad("--price", value, rule);
}

} // namespace

double divePO2(const std::string& option, const std::string& value, const NumberLocale& numbers) {
    const std::string rule = "a PO2 is a number from " + formatNumber(kLowestDivePO2, numbers) +
                             " to " + formatNumber(kHighestDivePO2, numbers);
    double po2 = 0.0;
    try {
        po2 = parseNumber(value, numbers);
    } catch (const RuntimeError&) {
        bad(option, value, rule);
    }
    if (!(po2 >= kLowestDivePO2 && po2 <= kHighestDivePO2))
        bad(option, value, rule);
    return po2;
}

Mixer airTopUp() {
    Mixer problem;
    problem.TopupMixFO2(kTopUpO2Range.lower); // air
    return problem;
}

BlendRequest parseArguments(int argc, const char* const* argv, const NumberLocale& numbers) {
    CLI::App app("quillan-blend");
    app.set_help_flag("-h,--help");
    bool version = false;
    std::string have, want, fill, top, depth, units, gas, fillTemp, settleTemp, cylinderName, fee,
        currency, charge, plan, modPO2;
    std::vector<std::string> prices;
    single(app, "--have", have);
    auto* wantOption = single(app, "--want", want);
    auto* fillOption = single(app, "--fill", fill);
    auto* topOption = single(app, "--top", top);
    auto* depthOption = single(app, "--depth", depth);
    auto* unitsOption = single(app, "--units", units);
    auto* gasOption = single(app, "--gas", gas);
    auto* fillTempOption = single(app, "--fill-temp", fillTemp);
    auto* settleTempOption = single(app, "--settle-temp", settleTemp);
    auto* cylinderOption = single(app, "--cylinder", cylinderName);
    auto* priceOption = app.add_option("--price", prices)
                            ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll); // one per gas
    auto* feeOption = single(app, "--fill-fee", fee);
    auto* currencyOption = single(app, "--currency", currency);
    auto* chargeOption = single(app, "--charge", charge);
    auto* planOption = single(app, "--plan", plan);
    auto* modPO2Option = single(app, "--mod-po2", modPO2);
    auto* checkpointsOption =
        app.add_flag("--checkpoints")->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    auto* haveOption = app.get_option("--have");
    auto* jsonOption =
        app.add_flag("--json")->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.add_flag("--version", version)->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.allow_extras();
    const LogOptions logOptions(app);
    const BankOptions bankOptions(app);
    for (CLI::Option* flag : {jsonOption, checkpointsOption, app.get_option("--version")})
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
        for (const CLI::Option* other :
             {haveOption, wantOption, fillOption, topOption, depthOption, unitsOption, gasOption,
              jsonOption, fillTempOption, settleTempOption, checkpointsOption, cylinderOption,
              priceOption, feeOption, currencyOption, chargeOption, planOption, modPO2Option})
            if (other->count() > 0 || logOptions.given() || bankOptions.given())
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
    if (fillTempOption->count() > 0)
        request.fillTemperature = temperature("--fill-temp", fillTemp, request.units, numbers);
    if (settleTempOption->count() > 0)
        request.settleTemperature =
            temperature("--settle-temp", settleTemp, request.units, numbers);
    request.checkpoints = checkpointsOption->count() > 0;
    if (planOption->count() > 0) {
        if (plan != "classic" && plan != "least-drain")
            bad("--plan", plan, "the plan is classic or least-drain");
        request.leastDrain = plan == "least-drain";
    }
    if (modPO2Option->count() > 0)
        request.modAtPO2 = divePO2("--mod-po2", modPO2, numbers);
    if (cylinderOption->count() > 0) {
        request.cylinder = cylinderNamed(cylinderName, request.units);
        if (!request.cylinder)
            bad("--cylinder", cylinderName,
                "a cylinder is a name such as AL80 or 12L@232, or LITRES[@PRESSURE] or "
                "2xLITRES[@PRESSURE]");
    }
    const bool priced = priceOption->count() + feeOption->count() + currencyOption->count() +
                            chargeOption->count() >
                        0;
    if (bankOptions.given()) {
        if (!request.cylinder)
            throw BadInput("--bank, --min-bank, --order and --booster need --cylinder");
        request.supply = bankOptions.read(request.units, numbers, request.topUpGas);
        // A nitrox bank is the classic top-up gas; any other is planned as the supply's.
        if (request.topUpGas && request.topUpGas->he().value() == 0.0) {
            const double o2 = request.topUpGas->o2().inPercent();
            if (o2 == std::nearbyint(o2) && o2 >= 21.0 && o2 <= 99.0) {
                request.problem.TopupMixFO2(static_cast<std::int16_t>(o2));
                request.topUpGas.reset();
            }
        }
        if (request.topUpGas)
            request.problem.TopupMixFO2(static_cast<std::int16_t>(
                std::clamp(std::nearbyint(request.topUpGas->o2().inPercent()), 21.0, 99.0)));
    }
    if (priced && !request.cylinder)
        throw BadInput("--price, --fill-fee, --currency and --charge need --cylinder");
    if (priced) {
        Prices charged;
        for (const std::string& value : prices)
            price(value, charged, numbers);
        if (feeOption->count() > 0) {
            try {
                charged.fillFee = parseNumber(fee, numbers);
            } catch (const RuntimeError&) {
                charged.fillFee = -1.0;
            }
            if (!(charged.fillFee >= 0.0) || !std::isfinite(charged.fillFee))
                bad("--fill-fee", fee, "the fill fee is a number of 0 or more");
        }
        charged.currency = currency;
        if (chargeOption->count() > 0) {
            if (charge != "nominal" && charge != "real")
                bad("--charge", charge, "the charge is nominal or real");
            charged.basis = charge == "real" ? ChargeBasis::Real : ChargeBasis::Nominal;
        }
        request.prices = charged;
    }
    request.json = jsonOption->count() > 0;
    request.log = logOptions.read();
    return request;
}

} // namespace quillan::blend
