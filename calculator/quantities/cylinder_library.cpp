#include "quantities/cylinder_library.h"

#include <charconv>
#include <cmath>

namespace quillan {

namespace {

constexpr double kDefaultBar = 232.0;

std::string figureText(double value) {
    const double whole = std::nearbyint(value);
    if (whole == value)
        return std::to_string(static_cast<long>(whole));
    std::string text = std::to_string(value);
    text.erase(text.find_last_not_of('0') + 1);
    return text;
}

Cylinder metric(double litres, Pressure working, int count = 1) {
    std::string name = figureText(litres) + "L@" + figureText(std::nearbyint(working.inBar()));
    if (count > 1)
        name = std::to_string(count) + "x" + name;
    return {name, Volume::litres(litres * count), working, std::nullopt};
}

// US cylinders are sold by the free gas they hold at their working pressure.
Cylinder us(const char* name, double litres, double psi, double cubicFeet) {
    return {name, Volume::litres(litres), Pressure::psi(psi), Volume::cubicFeet(cubicFeet)};
}

std::vector<Cylinder> library() {
    std::vector<Cylinder> cylinders;
    for (const double bar : {200.0, 232.0, 300.0})
        for (const double litres : {3.0, 7.0, 10.0, 12.0, 15.0, 18.0})
            cylinders.push_back(metric(litres, Pressure::bar(bar)));
    for (const double bar : {200.0, 232.0, 300.0})
        for (const double litres : {7.0, 10.0, 12.0})
            cylinders.push_back(metric(litres, Pressure::bar(bar), 2));
    // Water capacities and ratings as their makers publish them.
    cylinders.push_back(us("AL40", 5.8, 3000.0, 40.0));
    cylinders.push_back(us("AL80", 11.1, 3000.0, 77.4));
    cylinders.push_back(us("HP100", 12.9, 3442.0, 100.0));
    cylinders.push_back(us("HP120", 15.3, 3442.0, 120.0));
    cylinders.push_back(us("LP85", 13.3, 2640.0, 85.0));
    return cylinders;
}

std::optional<double> positiveNumber(std::string_view text) {
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !(value > 0.0) ||
        !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

const std::vector<Cylinder>& standardCylinders() {
    static const std::vector<Cylinder> cylinders = library();
    return cylinders;
}

std::optional<Cylinder> cylinderNamed(std::string_view text, UnitSystem units) {
    for (const Cylinder& cylinder : standardCylinders())
        if (cylinder.name == text)
            return cylinder;
    int count = 1;
    if (text.size() > 2 && text.substr(0, 2) == "2x") {
        count = 2;
        text.remove_prefix(2);
    }
    std::optional<std::string_view> bar;
    if (const std::size_t at = text.find('@'); at != std::string_view::npos) {
        bar = text.substr(at + 1);
        text = text.substr(0, at);
    }
    if (!text.empty() && (text.back() == 'L' || text.back() == 'l'))
        text.remove_suffix(1);
    const std::optional<double> litres = positiveNumber(text);
    const std::optional<double> figure = bar ? positiveNumber(*bar) : std::nullopt;
    if (!litres || *litres > 100.0 || (bar && !figure))
        return std::nullopt;
    const Pressure working = figure ? pressureIn(units, *figure) : Pressure::bar(kDefaultBar);
    if (working.inBar() > 500.0)
        return std::nullopt;
    return metric(*litres, working, count);
}

} // namespace quillan
