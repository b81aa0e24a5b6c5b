#pragma once

#include "engine/number_rules.h"
#include "planning/partial_pressure.h"

#include <cstdint>

namespace quillan {

// A run of checked operations that does not throw: the first one to fail stops the run, and
// every later one is skipped and gives 0. A calculation reads like plain arithmetic and tests
// failed() before it relies on a result; error() is the classic number of the failure.
class CheckedRun {
  public:
    std::int16_t add(std::int16_t a, std::int16_t b) { return run(tryAddInt16, a, b); }
    std::int16_t sub(std::int16_t a, std::int16_t b) { return run(trySubInt16, a, b); }
    std::int16_t abs(std::int16_t value) { return run(tryAbsInt16, value); }
    double divide(double numerator, double denominator) {
        return run(tryDivide, numerator, denominator);
    }
    std::int16_t toInt16(double value) { return run(tryToInt16, value); }
    std::int16_t partialPressureOfFraction(std::int16_t psi, double fraction) {
        return run(tryPartialPressureOfFraction, psi, fraction);
    }

    bool failed() const { return error_ != 0; }
    std::int32_t error() const { return error_; }

  private:
    template <typename T, typename... Params, typename... Args>
    T run(Checked<T> (*operation)(Params...), Args... args) {
        if (failed()) {
            return T{};
        }
        const Checked<T> result = operation(args...);
        error_ = result.error;
        return result.value;
    }

    std::int32_t error_ = 0;
};

} // namespace quillan
