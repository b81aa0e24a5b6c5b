#include "report/units.h"

namespace quillan::report {

namespace {

// How many PSI and fsw one unit of the system's pressure and depth is.
struct ImperialFactors {
    double psi;
    double feet;
};

ImperialFactors imperialFactors(UnitSystem units) {
    switch (units) {
    case UnitSystem::PsiAndFeet:
        return {1.0, 1.0};
    case UnitSystem::BarAndMetres:
        return {kPsiPerBar, kFeetPerMetre};
    }
    return {1.0, 1.0};
}

// The identity is kept exact: a figure converted into its own system is itself.
double convert(double value, double fromFactor, double toFactor) {
    if (fromFactor == toFactor)
        return value;
    return value * fromFactor / toFactor;
}

} // namespace

std::string_view unitSystemName(UnitSystem units) {
    switch (units) {
    case UnitSystem::PsiAndFeet:
        return "imperial";
    case UnitSystem::BarAndMetres:
        return "metric";
    }
    return "imperial";
}

std::optional<UnitSystem> unitSystemNamed(std::string_view name) {
    for (const UnitSystem units : {UnitSystem::PsiAndFeet, UnitSystem::BarAndMetres})
        if (unitSystemName(units) == name)
            return units;
    return std::nullopt;
}

UnitLabels unitLabels(UnitSystem units) {
    switch (units) {
    case UnitSystem::PsiAndFeet:
        return {"PSI", "fsw"};
    case UnitSystem::BarAndMetres:
        return {"bar", "m"};
    }
    return {"PSI", "fsw"};
}

UnitRanges unitRanges(UnitSystem units) {
    switch (units) {
    case UnitSystem::PsiAndFeet:
        return {4000, 4500, 500, 100};
    case UnitSystem::BarAndMetres:
        // 4000 and 4500 PSI rounded down to whole bar; 500 ft is 152.4 m; the nearly-empty
        // 100 PSI is 6.9 bar, taken as 7.
        return {275, 310, 152, 7};
    }
    return {4000, 4500, 500, 100};
}

SeaWaterScale seaWaterScale(UnitSystem units) {
    switch (units) {
    case UnitSystem::PsiAndFeet:
        return kFeetOfSeaWater;
    case UnitSystem::BarAndMetres:
        return kMetresOfSeaWater;
    }
    return kFeetOfSeaWater;
}

double convertPressure(double value, UnitSystem from, UnitSystem to) {
    return convert(value, imperialFactors(from).psi, imperialFactors(to).psi);
}

double convertDepth(double value, UnitSystem from, UnitSystem to) {
    return convert(value, imperialFactors(from).feet, imperialFactors(to).feet);
}

} // namespace quillan::report
