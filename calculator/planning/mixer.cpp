#include "planning/mixer.h"

#include "engine/runtime_error.h"
#include "planning/partial_pressure.h"

namespace quillan {

namespace {

void checkCodes(std::int32_t theTank, std::int32_t theProperty) {
    if (theTank < 0 || theTank > 1 || theProperty < 0 || theProperty > 3) {
        throw classicError(kErrSubscriptOutOfRange);
    }
}

} // namespace

void Mixer::Load(std::int16_t SourcePSI, std::int16_t SourceO2, std::int16_t SourceHe,
                 std::int16_t SourceN, std::int16_t TargetPSI, std::int16_t TargetO2,
                 std::int16_t TargetHe, std::int16_t TargetN) {
    tanks_[kSourceTank] = {SourcePSI, SourceO2, SourceHe, SourceN};
    tanks_[kTargetTank] = {TargetPSI, TargetO2, TargetHe, TargetN};
}

double Mixer::GetValue(std::int32_t theTank, std::int32_t theProperty) const {
    checkCodes(theTank, theProperty);
    return tanks_[theTank][theProperty];
}

void Mixer::SetValue(std::int32_t theTank, std::int32_t theProperty, std::string_view Value,
                     const NumberLocale& locale) {
    checkCodes(theTank, theProperty);
    tanks_[theTank][theProperty] = parseInt16(Value, locale);
}

void Mixer::SetValue(std::int32_t theTank, std::int32_t theProperty, std::string_view Value) {
    SetValue(theTank, theProperty, Value, NumberLocale::user());
}

std::int16_t Mixer::SourceO2PSI() const {
    return partialPressure(SourcePSI(), SourceO2());
}
std::int16_t Mixer::SourceHePSI() const {
    return partialPressure(SourcePSI(), SourceHe());
}
std::int16_t Mixer::SourceNPSI() const {
    return partialPressure(SourcePSI(), SourceN());
}
std::int16_t Mixer::TargetO2PSI() const {
    return partialPressure(TargetPSI(), TargetO2());
}
std::int16_t Mixer::TargetHePSI() const {
    return partialPressure(TargetPSI(), TargetHe());
}
std::int16_t Mixer::TargetNPSI() const {
    return partialPressure(TargetPSI(), TargetN());
}

} // namespace quillan
