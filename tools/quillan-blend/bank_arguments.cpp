#include "bank_arguments.h"

#include "blend_arguments.h"
#include "quantities/cylinder_library.h"

#include <cmath>

namespace quillan::blend {

namespace {

constexpr std::string_view kBankRule =
    "a bank is helium:SIZE, oxygen:SIZE, top:MIX:SIZE or top:compressor:MIX@PRESSURE, SIZE being "
    "LITRES@PRESSURE or 2xLITRES@PRESSURE and MIX air or O2/He";

[[noreturn]] void badBank(const std::string& value) {
    throw BadInput("--bank " + value + ": " + std::string(kBankRule));
}

std::optional<GasMix> mixNamed(std::string_view text) {
    if (text == "air")
        return GasMix::air();
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos)
        return std::nullopt;
    double o2 = 0.0;
    double he = 0.0;
    try {
        o2 = parseNumber(text.substr(0, slash), NumberLocale::classic());
        he = parseNumber(text.substr(slash + 1), NumberLocale::classic());
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
    const GasMix mix = GasMix::percent(o2, he);
    if (!mix.isReal() || o2 > 100.0)
        return std::nullopt;
    return mix;
}

Bank bankOf(const std::string& value, UnitSystem units) {
    const std::size_t colon = value.find(':');
    if (colon == std::string::npos)
        badBank(value);
    const std::string role = value.substr(0, colon);
    std::string rest = value.substr(colon + 1);
    Bank bank;
    if (role == "helium" || role == "oxygen") {
        bank.role = role == "helium" ? SupplyGas::Helium : SupplyGas::Oxygen;
        bank.gas = role == "helium" ? GasMix::helium() : GasMix::oxygen();
    } else if (role == "top") {
        bank.role = SupplyGas::TopUp;
        bank.compressor = rest.rfind("compressor:", 0) == 0;
        if (bank.compressor)
            rest = rest.substr(std::string("compressor:").size());
        const std::size_t split = rest.find(bank.compressor ? '@' : ':');
        if (split == std::string::npos)
            badBank(value);
        const std::optional<GasMix> mix = mixNamed(rest.substr(0, split));
        if (!mix)
            badBank(value);
        bank.gas = *mix;
        if (bank.compressor) {
            try {
                bank.pressure =
                    pressureIn(units, parseNumber(rest.substr(split + 1), NumberLocale::classic()));
            } catch (const RuntimeError&) {
                badBank(value);
            }
            if (!(bank.pressure > Pressure()))
                badBank(value);
            return bank;
        }
        rest = rest.substr(split + 1);
    } else {
        badBank(value);
    }
    // SIZE reads as a cylinder: its water and, after the @, the pressure the bank holds now.
    if (rest.find('@') == std::string::npos)
        badBank(value);
    const std::optional<Cylinder> size = cylinderNamed(rest, units);
    if (!size)
        badBank(value);
    bank.waterCapacity = size->waterCapacity;
    bank.pressure = size->workingPressure;
    return bank;
}

} // namespace

BankOptions::BankOptions(CLI::App& app)
    : bankOption_(app.add_option("--bank", banks_)
                      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)), // one per bank
      minimumOption_(app.add_option("--min-bank", minimum_)
                         ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)),
      orderOption_(
          app.add_option("--order", order_)->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)),
      boosterOption_(app.add_flag("--booster", booster_)
                         ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)) {}

bool BankOptions::given() const {
    return bankOption_->count() + minimumOption_->count() + orderOption_->count() +
               boosterOption_->count() >
           0;
}

BankSupply BankOptions::read(UnitSystem units, const NumberLocale& numbers,
                             std::optional<GasMix>& topUpGas) const {
    BankSupply supply;
    for (const std::string& value : banks_) {
        supply.banks.push_back(bankOf(value, units));
        if (supply.banks.back().role == SupplyGas::TopUp) {
            if (topUpGas && *topUpGas != supply.banks.back().gas)
                throw BadInput("--bank " + value + ": the top-up banks must all hold one gas");
            topUpGas = supply.banks.back().gas;
        }
    }
    if (minimumOption_->count() > 0) {
        double figure = -1.0;
        try {
            figure = parseNumber(minimum_, numbers);
        } catch (const RuntimeError&) {
        }
        if (!(figure >= 0.0) || !std::isfinite(figure))
            throw BadInput("--min-bank " + minimum_ + ": the minimum is a pressure of 0 or more");
        supply.minimum = pressureIn(units, figure);
    } else if (units == UnitSystem::PsiAndFeet) {
        supply.minimum = Pressure::psi(150.0);
    }
    if (orderOption_->count() > 0) {
        if (order_ != "he-first" && order_ != "o2-first")
            throw BadInput("--order " + order_ + ": the order is he-first or o2-first");
        supply.oxygenFirst = order_ == "o2-first";
    }
    supply.booster = booster_;
    return supply;
}

} // namespace quillan::blend
