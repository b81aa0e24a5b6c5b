#include "quantities/unit_system.h"

namespace quillan {

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

SeaWaterScale seaWaterScale(UnitSystem units) {
    switch (units) {
    case UnitSystem::PsiAndFeet:
        return kFeetOfSeaWater;
    case UnitSystem::BarAndMetres:
        return kMetresOfSeaWater;
    }
    return kFeetOfSeaWater;
}

Pressure pressureIn(UnitSystem units, double figure) {
    return units == UnitSystem::BarAndMetres ? Pressure::bar(figure) : Pressure::psi(figure);
}

double figureOf(Pressure pressure, UnitSystem units) {
    return units == UnitSystem::BarAndMetres ? pressure.inBar() : pressure.inPsi();
}

Depth depthIn(UnitSystem units, double figure) {
    return units == UnitSystem::BarAndMetres ? Depth::metres(figure) : Depth::feet(figure);
}

double figureOf(Depth depth, UnitSystem units) {
    return units == UnitSystem::BarAndMetres ? depth.inMetres() : depth.inFeet();
}

double convertPressure(double value, UnitSystem from, UnitSystem to) {
    if (from == to)
        return value;
    return figureOf(pressureIn(from, value), to);
}

double convertDepth(double value, UnitSystem from, UnitSystem to) {
    if (from == to)
        return value;
    return figureOf(depthIn(from, value), to);
}

} // namespace quillan
