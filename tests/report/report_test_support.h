// What the report tests share: the separator line, a fixed date stamp and a loaded mixer.
#pragma once

#include "planning/mixer.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace quillan::report::test {

inline const std::string kSeparator(109, '-');
inline constexpr std::string_view kStamp = "06-Dec-2026  05:18 AM";

// Starting pressure, O2, He, N; required pressure, O2, He, N; top-up O2.
using Problem = std::array<std::int16_t, 9>;

inline Mixer mixerOf(const Problem& v) {
    Mixer mixer;
    mixer.Load(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]);
    mixer.TopupMixFO2(v[8]);
    return mixer;
}

} // namespace quillan::report::test
