#pragma once

#include "engine/number_rules.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace quillan {

// Tank codes of GetValue / SetValue / GetMixDescription.
inline constexpr std::int32_t kSourceTank = 0;
inline constexpr std::int32_t kTargetTank = 1;
// GetMixDescription only: the top-up gas.
inline constexpr std::int32_t kTopupGas = 2;

// Property codes of GetValue / SetValue.
inline constexpr std::int32_t kPressureProperty = 0;
inline constexpr std::int32_t kO2Property = 1;
inline constexpr std::int32_t kHeProperty = 2;
inline constexpr std::int32_t kNProperty = 3;

// One blending problem: a source and a target cylinder (pressure in PSI, O2 / He / N in whole
// percent), the top-up gas's O2 percent, and the quantities that CalcMix works out. Stored values
// are never checked: any 16-bit value is kept as given.
class Mixer {
  public:
    // Writes the eight cylinder values in this order; leaves everything else alone.
    void Load(std::int16_t SourcePSI, std::int16_t SourceO2, std::int16_t SourceHe,
              std::int16_t SourceN, std::int16_t TargetPSI, std::int16_t TargetO2,
              std::int16_t TargetHe, std::int16_t TargetN);

    // Entry [theTank, theProperty] as a double; codes outside 0..1 / 0..3 throw 9.
    double GetValue(std::int32_t theTank, std::int32_t theProperty) const;

    // Checks both codes (9), reads Value with parseInt16 (13, 6) and only then stores it.
    void SetValue(std::int32_t theTank, std::int32_t theProperty, std::string_view Value,
                  const NumberLocale& locale);
    // The same, reading Value in the user's locale (NumberLocale::user()).
    void SetValue(std::int32_t theTank, std::int32_t theProperty, std::string_view Value);

    std::int16_t SourcePSI() const { return tanks_[kSourceTank][kPressureProperty]; }
    std::int16_t SourceO2() const { return tanks_[kSourceTank][kO2Property]; }
    std::int16_t SourceHe() const { return tanks_[kSourceTank][kHeProperty]; }
    std::int16_t SourceN() const { return tanks_[kSourceTank][kNProperty]; }
    void SourcePSI(std::int16_t data) { tanks_[kSourceTank][kPressureProperty] = data; }
    void SourceO2(std::int16_t data) { tanks_[kSourceTank][kO2Property] = data; }
    void SourceHe(std::int16_t data) { tanks_[kSourceTank][kHeProperty] = data; }
    void SourceN(std::int16_t data) { tanks_[kSourceTank][kNProperty] = data; }

    std::int16_t TargetPSI() const { return tanks_[kTargetTank][kPressureProperty]; }
    std::int16_t TargetO2() const { return tanks_[kTargetTank][kO2Property]; }
    std::int16_t TargetHe() const { return tanks_[kTargetTank][kHeProperty]; }
    std::int16_t TargetN() const { return tanks_[kTargetTank][kNProperty]; }
    void TargetPSI(std::int16_t data) { tanks_[kTargetTank][kPressureProperty] = data; }
    void TargetO2(std::int16_t data) { tanks_[kTargetTank][kO2Property] = data; }
    void TargetHe(std::int16_t data) { tanks_[kTargetTank][kHeProperty] = data; }
    void TargetN(std::int16_t data) { tanks_[kTargetTank][kNProperty] = data; }

    // Partial pressures in PSI (see partialPressure); a result outside 16 bits throws 6.
    std::int16_t SourceO2PSI() const;
    std::int16_t SourceHePSI() const;
    std::int16_t SourceNPSI() const;
    std::int16_t TargetO2PSI() const;
    std::int16_t TargetHePSI() const;
    std::int16_t TargetNPSI() const;

    // The quantities of the last CalcMix; 0 before the first and after a failed one.
    std::int16_t DrainAmount() const { return drainAmount_; }
    std::int16_t AddO2PSI() const { return addO2PSI_; }
    std::int16_t AddHePSI() const { return addHePSI_; }
    std::int16_t TopupMixPSI() const { return topupMixPSI_; }

    std::int16_t TopupMixFO2() const { return topupMixFO2_; }
    void TopupMixFO2(std::int16_t data) { topupMixFO2_ = data; }

    // 0 source cylinder, 1 target cylinder, 2 top-up gas: "[Empty cylinder]", "Air",
    // "Nitrox 32", "Trimix 21/35"; empty text for any other code.
    std::string GetMixDescription(std::int32_t theSource) const;

    // Why the last CalcMix returned false; empty otherwise.
    const std::string& ErrDesc() const { return errDesc_; }

    // Works out drain, helium, oxygen and top-up for the target mix: the written pass loop's plan
    // when it finds one, otherwise the exact ideal-gas plan with the least drain. False (with
    // ErrDesc) when the mix cannot be made. Throws 999999 (source "DrainAmount") when
    // TopupMixFO2 is outside 21..100, and 6 or 11 on arithmetic overflow or division by zero of
    // a problem the exact solve cannot take (a top-up O2 of 100, a negative source, an empty
    // target, percentages no gas has); the quantities are then 0 and ErrDesc is empty.
    bool CalcMix();

  private:
    std::array<std::array<std::int16_t, 4>, 2> tanks_{};
    std::int16_t drainAmount_ = 0;
    std::int16_t addO2PSI_ = 0;
    std::int16_t addHePSI_ = 0;
    std::int16_t topupMixPSI_ = 0;
    std::int16_t topupMixFO2_ = 0;
    std::string errDesc_;
};

// The ErrDesc text of a mix that cannot be made.
inline constexpr std::string_view kMixImpossible = "Mix can't be created using current parameters";

} // namespace quillan
