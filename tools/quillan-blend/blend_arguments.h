// The command line of quillan-blend, read in full and checked by the window's rules: the
// same ranges, and numbers read and rounded as the window reads its fields.
#pragma once

#include "engine/number_rules.h"
#include "planning/bank_fill.h"
#include "planning/fill_cost.h"
#include "planning/mixer.h"
#include "report/report_options.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

namespace quillan::blend {

// An empty problem topped up with air.
Mixer airTopUp();

enum class Command { Help, Version, RequiredMix, TopUp };

// --log: who filled which cylinder for whom, and where the log is (empty: the default file).
struct FillLogRequest {
    std::string customer;
    std::string cylinderSerial;
    std::string blender;
    std::string hydroTest; // YYYY-MM-DD
    std::string visualInspection;
    bool oxygenClean = false;
    std::string notes;
    std::string file;
};

struct BlendRequest {
    Command command = Command::Help;
    // The starting cylinder, the required one (for a top-up only its pressure) and the top-up
    // gas's O2 (air unless --top says otherwise), as the window's fields would hold them.
    Mixer problem = airTopUp();
    std::optional<std::int16_t> depth;
    GasModel gas = GasModel::IdealPartialPressures;
    Temperature fillTemperature = kRoomTemperature;
    Temperature settleTemperature = kRoomTemperature;
    bool checkpoints = false; // the analyser checkpoints and the density at the MOD
    std::optional<Cylinder> cylinder;
    std::optional<Prices> prices;
    bool leastDrain = false;
    std::optional<BankSupply> supply;
    std::optional<GasMix> topUpGas; // a top-up bank's gas
    std::optional<double> modAtPO2; // the final mix's MOD at this PO2 too
    bool json = false;
    std::optional<FillLogRequest> log;         // record the planned fill
    UnitSystem units = UnitSystem::PsiAndFeet; // of every pressure and depth
};

// Bad input: the one line that says which argument, which value and what is allowed.
struct BadInput : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Throws BadInput "OPTION VALUE: RULE".
[[noreturn]] void bad(const std::string& option, const std::string& value, const std::string& rule);

// A PO2 limit a diver may choose, 1.2 to 1.6; throws BadInput naming `option`.
double divePO2(const std::string& option, const std::string& value, const NumberLocale& numbers);

// Reads argv (argv[0] is the program); throws BadInput.
BlendRequest parseArguments(int argc, const char* const* argv, const NumberLocale& numbers);

} // namespace quillan::blend
