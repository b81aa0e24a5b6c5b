// The supply banks on the command line: --bank ROLE:BANK (repeatable), --min-bank, --booster
// and --order.
#pragma once

#include "engine/number_rules.h"
#include "planning/bank_fill.h"

#include <CLI/CLI.hpp>

#include <optional>
#include <string>
#include <vector>

namespace quillan::blend {

class BankOptions {
  public:
    // Adds the options to `app`.
    explicit BankOptions(CLI::App& app);
    BankOptions(const BankOptions&) = delete;
    BankOptions& operator=(const BankOptions&) = delete;

    bool given() const;
    // The supply as given, pressures in `units`; throws BadInput. The top-up gas of a top
    // bank, when there is one, is returned in `topUpGas`.
    BankSupply read(UnitSystem units, const NumberLocale& numbers,
                    std::optional<GasMix>& topUpGas) const;

  private:
    std::vector<std::string> banks_;
    std::string minimum_;
    std::string order_;
    bool booster_ = false;
    CLI::Option* bankOption_;
    CLI::Option* minimumOption_;
    CLI::Option* orderOption_;
    CLI::Option* boosterOption_;
};

} // namespace quillan::blend
