// The command line of quillan-blend, read in full and checked by the window's rules: the
// same ranges, and numbers read and rounded as the window reads its fields.
#pragma once

#include "engine/number_rules.h"
#include "report/report_options.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

namespace quillan::blend {

// One cylinder: pressure and whole-percent O2, He and N, N derived as the window does.
struct CylinderArgument {
    std::int16_t pressure = 0;
    std::int16_t o2 = 0;
    std::int16_t he = 0;
    std::int16_t n = 0;
};

enum class Command { Help, Version, RequiredMix, TopUp };

struct BlendRequest {
    Command command = Command::Help;
    CylinderArgument have;
    CylinderArgument want;     // the required mix; for a top-up only its pressure
    std::int16_t topUpO2 = 21; // air unless --top says otherwise
    std::optional<std::int16_t> depth;
    report::GasModel gas = report::GasModel::IdealPartialPressures;
    bool json = false;
    report::UnitSystem units = report::UnitSystem::PsiAndFeet; // of every pressure and depth
};

// Bad input: the one line that says which argument, which value and what is allowed.
struct BadInput : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Reads argv (argv[0] is the program); throws BadInput.
BlendRequest parseArguments(int argc, const char* const* argv, const NumberLocale& numbers);

} // namespace quillan::blend
