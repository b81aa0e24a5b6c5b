#include "options/fill_station_settings.h"

#include "options/settings_file_guard.h"

using quillan::Bank;
using quillan::BankSupply;
using quillan::Cylinder;
using quillan::Pressure;
using quillan::SupplyGas;
using quillan::UnitSystem;
using quillan::Volume;

namespace {

const QString kOwnCylindersKey = QStringLiteral("cylinders/own");
const QString kChosenCylinderKey = QStringLiteral("cylinders/chosen");
const QString kPricesKey = QStringLiteral("prices/perLitre");
const QString kFillFeeKey = QStringLiteral("prices/fillFee");
const QString kCurrencyKey = QStringLiteral("prices/currency");
const QString kBasisKey = QStringLiteral("prices/basis");
const QString kLeastDrainKey = QStringLiteral("blend/leastDrain");
const QString kBanksKey = QStringLiteral("banks/list");
const QString kMinimumKey = QStringLiteral("banks/minimumBar");
const QString kBoosterKey = QStringLiteral("banks/booster");
const QString kOrderKey = QStringLiteral("banks/order");
const QChar kSeparator = QLatin1Char('|');

// Every one of `fields` as a number, or nothing when one is not.
std::optional<std::vector<double>> numbers(const QStringList& fields) {
    std::vector<double> figures;
    for (const QString& field : fields) {
        bool read = false;
        figures.push_back(field.toDouble(&read));
        if (!read)
            return std::nullopt;
    }
    return figures;
}

// Prices are stored per litre: a cubic foot's price is that of its litres.
double perUnit(UnitSystem units) {
    return units == UnitSystem::BarAndMetres ? 1.0 : Volume::kLitresPerCubicFoot;
}

QString roleName(SupplyGas role) {
    switch (role) {
    case SupplyGas::Helium:
        return QStringLiteral("he");
    case SupplyGas::Oxygen:
        return QStringLiteral("o2");
    case SupplyGas::TopUp:
        break;
    }
    return QStringLiteral("topUp");
}

std::optional<SupplyGas> roleNamed(const QString& name) {
    for (const SupplyGas role : {SupplyGas::Helium, SupplyGas::Oxygen, SupplyGas::TopUp})
        if (roleName(role) == name)
            return role;
    return std::nullopt;
}

} // namespace

FillStationSettings::FillStationSettings() {
    if (SettingsFileIsSafe())
        m_settings.emplace(QStringLiteral("Quillan"), QStringLiteral("Quillan1"));
}

std::vector<Cylinder> FillStationSettings::ownCylinders() const {
    std::vector<Cylinder> cylinders;
    if (!m_settings)
        return cylinders;
    for (const QString& text : m_settings->value(kOwnCylindersKey).toStringList()) {
        // name|water litres|working bar|rated litres, the last empty when not rated
        const QStringList parts = text.split(kSeparator);
        if (parts.size() != 4 || parts[0].isEmpty())
            continue;
        const auto figures = numbers(parts.mid(1, parts[3].isEmpty() ? 2 : 3));
        if (!figures || !((*figures)[0] > 0.0) || !((*figures)[1] > 0.0))
            continue;
        Cylinder cylinder{parts[0].toStdString(), Volume::litres((*figures)[0]),
                          Pressure::bar((*figures)[1]), std::nullopt};
        if (figures->size() == 3)
            cylinder.ratedGas = Volume::litres((*figures)[2]);
        cylinders.push_back(cylinder);
    }
    return cylinders;
}

void FillStationSettings::addOwnCylinder(const Cylinder& cylinder) {
    if (!m_settings)
        return;
    const QString rated =
        cylinder.ratedGas ? QString::number(cylinder.ratedGas->inLitres(), 'g', 12) : QString();
    const QString text =
        QStringList{QString::fromStdString(cylinder.name),
                    QString::number(cylinder.waterCapacity.inLitres(), 'g', 12),
                    QString::number(cylinder.workingPressure.inBar(), 'g', 12), rated}
            .join(kSeparator);
    m_settings->setValue(kOwnCylindersKey, m_settings->value(kOwnCylindersKey).toStringList()
                                               << text);
}

QString FillStationSettings::chosenCylinder() const {
    return m_settings ? m_settings->value(kChosenCylinderKey).toString() : QString();
}

void FillStationSettings::setChosenCylinder(const QString& name) {
    if (m_settings)
        m_settings->setValue(kChosenCylinderKey, name);
}

std::optional<quillan::Prices> FillStationSettings::prices(UnitSystem units) const {
    if (!m_settings)
        return std::nullopt;
    const auto perLitre = numbers(m_settings->value(kPricesKey).toStringList());
    bool feeRead = false;
    const double fee = m_settings->value(kFillFeeKey).toString().toDouble(&feeRead);
    if (!perLitre || perLitre->size() != 3 || !feeRead)
        return std::nullopt;
    quillan::Prices prices;
    prices.helium = (*perLitre)[0] * perUnit(units);
    prices.oxygen = (*perLitre)[1] * perUnit(units);
    prices.topUp = (*perLitre)[2] * perUnit(units);
    prices.fillFee = fee;
    prices.currency = m_settings->value(kCurrencyKey).toString().toStdString();
    prices.basis = m_settings->value(kBasisKey).toString() == QStringLiteral("real")
                       ? quillan::ChargeBasis::Real
                       : quillan::ChargeBasis::Nominal;
    return prices;
}

void FillStationSettings::setPrices(const quillan::Prices& prices, UnitSystem units) {
    if (!m_settings)
        return;
    QStringList perLitre;
    for (const double price : {prices.helium, prices.oxygen, prices.topUp})
        perLitre << QString::number(price / perUnit(units), 'g', 12);
    m_settings->setValue(kPricesKey, perLitre);
    m_settings->setValue(kFillFeeKey, QString::number(prices.fillFee, 'g', 12));
    m_settings->setValue(kCurrencyKey, QString::fromStdString(prices.currency));
    m_settings->setValue(kBasisKey, prices.basis == quillan::ChargeBasis::Real
                                        ? QStringLiteral("real")
                                        : QStringLiteral("nominal"));
}

bool FillStationSettings::leastDrain() const {
    return m_settings && m_settings->value(kLeastDrainKey).toString() == QStringLiteral("true");
}

void FillStationSettings::setLeastDrain(bool leastDrain) {
    if (m_settings)
        m_settings->setValue(kLeastDrainKey,
                             leastDrain ? QStringLiteral("true") : QStringLiteral("false"));
}

BankSupply FillStationSettings::banks(UnitSystem units) const {
    BankSupply supply;
    if (units == UnitSystem::PsiAndFeet)
        supply.minimum = Pressure::psi(150.0);
    if (!m_settings)
        return supply;
    for (const QString& text : m_settings->value(kBanksKey).toStringList()) {
        // role|O2 %|He %|water litres|pressure bar|compressor
        const QStringList parts = text.split(kSeparator);
        const auto role = roleNamed(parts.value(0));
        const auto figures = numbers(parts.mid(1, 4));
        if (parts.size() != 6 || !role || !figures || figures->size() != 4)
            continue;
        supply.banks.push_back({*role, quillan::GasMix::percent((*figures)[0], (*figures)[1]),
                                Volume::litres((*figures)[2]), Pressure::bar((*figures)[3]),
                                parts[5] == QStringLiteral("compressor")});
    }
    bool read = false;
    const double minimum = m_settings->value(kMinimumKey).toString().toDouble(&read);
    if (read && minimum >= 0.0)
        supply.minimum = Pressure::bar(minimum);
    supply.booster = m_settings->value(kBoosterKey).toString() == QStringLiteral("true");
    supply.oxygenFirst = m_settings->value(kOrderKey).toString() == QStringLiteral("o2-first");
    return supply;
}

void FillStationSettings::setBanks(const BankSupply& supply) {
    if (!m_settings)
        return;
    QStringList banks;
    for (const Bank& bank : supply.banks)
        banks << QStringList{roleName(bank.role),
                             QString::number(bank.gas.o2().inPercent(), 'g', 12),
                             QString::number(bank.gas.he().inPercent(), 'g', 12),
                             QString::number(bank.waterCapacity.inLitres(), 'g', 12),
                             QString::number(bank.pressure.inBar(), 'g', 12),
                             bank.compressor ? QStringLiteral("compressor")
                                             : QStringLiteral("cylinder")}
                     .join(kSeparator);
    m_settings->setValue(kBanksKey, banks);
    m_settings->setValue(kMinimumKey, QString::number(supply.minimum.inBar(), 'g', 12));
    m_settings->setValue(kBoosterKey,
                         supply.booster ? QStringLiteral("true") : QStringLiteral("false"));
    m_settings->setValue(kOrderKey, supply.oxygenFirst ? QStringLiteral("o2-first")
                                                       : QStringLiteral("he-first"));
}
