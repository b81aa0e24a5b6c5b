// Quantities that carry their unit: a value is stored once, in one unit, and every other unit
// is a named conversion. Whole display units appear only at the edges (window, report, command
// line); everything inside works on these unrounded values.
#pragma once

namespace quillan {

// 1 bar = 14.5038 PSI, the figure the calculator has always converted by.
inline constexpr double kPsiPerBar = 14.5038;
// 10 m and 33 fsw of sea water are both one atmosphere, so 1 m = 3.3 fsw.
inline constexpr double kFeetPerMetre = 3.3;
// One standard atmosphere, the gauge's zero, in bar.
inline constexpr double kAtmosphereBar = 1.01325;

// A gauge pressure (0 is an open cylinder at one atmosphere), held in bar.
class Pressure {
  public:
    constexpr Pressure() = default;
    static constexpr Pressure bar(double value) { return Pressure(value); }
    static constexpr Pressure psi(double value) { return Pressure(value / kPsiPerBar); }

    constexpr double inBar() const { return bar_; }
    constexpr double inPsi() const { return bar_ * kPsiPerBar; }
    // The absolute pressure in bar: the gauge reading plus the atmosphere.
    constexpr double absoluteBar() const { return bar_ + kAtmosphereBar; }
    static constexpr Pressure fromAbsoluteBar(double value) {
        return Pressure(value - kAtmosphereBar);
    }

    constexpr Pressure operator+(Pressure other) const { return Pressure(bar_ + other.bar_); }
    constexpr Pressure operator-(Pressure other) const { return Pressure(bar_ - other.bar_); }
    constexpr Pressure operator*(double factor) const { return Pressure(bar_ * factor); }
    constexpr bool operator==(const Pressure&) const = default;
    constexpr bool operator<(Pressure other) const { return bar_ < other.bar_; }
    constexpr bool operator>(Pressure other) const { return other < *this; }
    constexpr bool operator<=(Pressure other) const { return !(other < *this); }
    constexpr bool operator>=(Pressure other) const { return !(*this < other); }

  private:
    constexpr explicit Pressure(double bar) : bar_(bar) {}
    double bar_ = 0.0;
};

// A depth of sea water, held in metres.
class Depth {
  public:
    constexpr Depth() = default;
    static constexpr Depth metres(double value) { return Depth(value); }
    static constexpr Depth feet(double value) { return Depth(value / kFeetPerMetre); }

    constexpr double inMetres() const { return metres_; }
    constexpr double inFeet() const { return metres_ * kFeetPerMetre; }
    constexpr bool operator==(const Depth&) const = default;
    constexpr bool operator<(Depth other) const { return metres_ < other.metres_; }
    constexpr bool operator>(Depth other) const { return other < *this; }
    constexpr bool operator<=(Depth other) const { return !(other < *this); }
    constexpr bool operator>=(Depth other) const { return !(*this < other); }

  private:
    constexpr explicit Depth(double metres) : metres_(metres) {}
    double metres_ = 0.0;
};

// A temperature, held in kelvin.
class Temperature {
  public:
    constexpr Temperature() = default;
    static constexpr Temperature kelvin(double value) { return Temperature(value); }
    static constexpr Temperature celsius(double value) { return Temperature(value + 273.15); }
    static constexpr Temperature fahrenheit(double value) {
        return Temperature((value - 32.0) * 5.0 / 9.0 + 273.15);
    }

    constexpr double inKelvin() const { return kelvin_; }
    constexpr double inCelsius() const { return kelvin_ - 273.15; }
    constexpr double inFahrenheit() const { return (kelvin_ - 273.15) * 9.0 / 5.0 + 32.0; }
    constexpr bool operator==(const Temperature&) const = default;
    constexpr bool operator<(Temperature other) const { return kelvin_ < other.kelvin_; }
    constexpr bool operator>(Temperature other) const { return other < *this; }
    constexpr bool operator<=(Temperature other) const { return !(other < *this); }
    constexpr bool operator>=(Temperature other) const { return !(*this < other); }

  private:
    constexpr explicit Temperature(double kelvin) : kelvin_(kelvin) {}
    double kelvin_ = 293.15;
};

// The temperature a cylinder is filled and read at unless the user says otherwise.
inline constexpr Temperature kRoomTemperature = Temperature::celsius(20.0);

// A share of a gas in a mix, 0..1; percentages are a conversion.
class GasFraction {
  public:
    constexpr GasFraction() = default;
    static constexpr GasFraction fraction(double value) { return GasFraction(value); }
    static constexpr GasFraction percent(double value) { return GasFraction(value / 100.0); }

    constexpr double value() const { return value_; }
    constexpr double inPercent() const { return value_ * 100.0; }
    constexpr bool operator==(const GasFraction&) const = default;
    constexpr bool operator<(GasFraction other) const { return value_ < other.value_; }
    constexpr bool operator>(GasFraction other) const { return other < *this; }
    constexpr bool operator<=(GasFraction other) const { return !(other < *this); }
    constexpr bool operator>=(GasFraction other) const { return !(*this < other); }

  private:
    constexpr explicit GasFraction(double value) : value_(value) {}
    double value_ = 0.0;
};

// A volume: a cylinder's water capacity or an amount of free gas, held in litres.
class Volume {
  public:
    constexpr Volume() = default;
    static constexpr Volume litres(double value) { return Volume(value); }
    static constexpr Volume cubicFeet(double value) { return Volume(value * kLitresPerCubicFoot); }

    constexpr double inLitres() const { return litres_; }
    constexpr double inCubicFeet() const { return litres_ / kLitresPerCubicFoot; }
    constexpr bool operator==(const Volume&) const = default;
    constexpr bool operator<(Volume other) const { return litres_ < other.litres_; }
    constexpr bool operator>(Volume other) const { return other < *this; }
    constexpr bool operator<=(Volume other) const { return !(other < *this); }
    constexpr bool operator>=(Volume other) const { return !(*this < other); }

    static constexpr double kLitresPerCubicFoot = 28.316846592;

  private:
    constexpr explicit Volume(double litres) : litres_(litres) {}
    double litres_ = 0.0;
};

} // namespace quillan
