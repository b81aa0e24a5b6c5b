#include "options/calculator_settings.h"

#include "options/settings_file_guard.h"
#include "planning/best_mix.h"
#include "rules/limits.h"

using quillan::GasModel;
using quillan::UnitSystem;

namespace {

const QString kUnitsKey = QStringLiteral("display/units");
const QString kGasModelKey = QStringLiteral("blend/gasModel");
const QString kFillKey = QStringLiteral("blend/fillCelsius");
const QString kSettleKey = QStringLiteral("blend/settleCelsius");
const QString kCheckpointsKey = QStringLiteral("report/checkpoints");
const QString kDivePO2Key = QStringLiteral("dive/po2");
const QString kModAtDivePO2Key = QStringLiteral("report/modAtDivePO2");
const QString kOwnMixesKey = QStringLiteral("mixes/own");

} // namespace

CalculatorSettings::CalculatorSettings() {
    if (SettingsFileIsSafe())
        m_settings.emplace(QStringLiteral("Quillan"), QStringLiteral("Quillan1"));
}

QString CalculatorSettings::stored(const QString& key) const {
    return m_settings ? m_settings->value(key).toString() : QString();
}

void CalculatorSettings::store(const QString& key, std::string_view value) {
    if (m_settings)
        m_settings->setValue(key, QString::fromUtf8(value.data(), qsizetype(value.size())));
}

UnitSystem CalculatorSettings::units() const {
    const QByteArray name = stored(kUnitsKey).toUtf8();
    return quillan::unitSystemNamed(std::string_view(name.constData(), name.size()))
        .value_or(UnitSystem::PsiAndFeet);
}

void CalculatorSettings::setUnits(UnitSystem units) {
    store(kUnitsKey, quillan::unitSystemName(units));
}

GasModel CalculatorSettings::gasModel() const {
    const QByteArray name = stored(kGasModelKey).toUtf8();
    return quillan::gasModelNamed(std::string_view(name.constData(), name.size()))
        .value_or(GasModel::IdealPartialPressures);
}

void CalculatorSettings::setGasModel(GasModel model) {
    store(kGasModelKey, quillan::gasModelName(model));
}

quillan::Temperature CalculatorSettings::storedTemperature(const QString& key) const {
    bool read = false;
    const double celsius = stored(key).toDouble(&read);
    if (!read || !(celsius >= quillan::kLowestCelsius && celsius <= quillan::kHighestCelsius))
        return quillan::kRoomTemperature;
    return quillan::Temperature::celsius(celsius);
}

quillan::Temperature CalculatorSettings::fillTemperature() const {
    return storedTemperature(kFillKey);
}

quillan::Temperature CalculatorSettings::settleTemperature() const {
    return storedTemperature(kSettleKey);
}

void CalculatorSettings::setTemperatures(quillan::Temperature fill, quillan::Temperature settle) {
    store(kFillKey, QString::number(fill.inCelsius()).toStdString());
    store(kSettleKey, QString::number(settle.inCelsius()).toStdString());
}

bool CalculatorSettings::checkpoints() const {
    return stored(kCheckpointsKey) == QStringLiteral("true");
}

void CalculatorSettings::setCheckpoints(bool shown) {
    store(kCheckpointsKey, shown ? "true" : "false");
}

double CalculatorSettings::divePO2() const {
    bool read = false;
    const double po2 = stored(kDivePO2Key).toDouble(&read);
    if (!read || !(po2 >= quillan::kLowestDivePO2 && po2 <= quillan::kHighestDivePO2))
        return quillan::kBestMixPO2;
    return po2;
}

void CalculatorSettings::setDivePO2(double po2) {
    store(kDivePO2Key, QString::number(po2).toStdString());
}

bool CalculatorSettings::modAtDivePO2Shown() const {
    return stored(kModAtDivePO2Key) == QStringLiteral("true");
}

void CalculatorSettings::setModAtDivePO2Shown(bool shown) {
    store(kModAtDivePO2Key, shown ? "true" : "false");
}

std::optional<double> CalculatorSettings::reportedModPO2() const {
    if (!modAtDivePO2Shown())
        return std::nullopt;
    return divePO2();
}

std::vector<quillan::WholePercent> CalculatorSettings::ownMixes() const {
    std::vector<quillan::WholePercent> mixes;
    if (!m_settings)
        return mixes;
    for (const QString& text : m_settings->value(kOwnMixesKey).toStringList()) {
        const QStringList parts = text.split(QLatin1Char('/'));
        bool o2Read = false;
        bool heRead = false;
        const int o2 = parts.value(0).toInt(&o2Read);
        const int he = parts.value(1).toInt(&heRead);
        // Anything the calculator did not write is passed over.
        if (parts.size() == 2 && o2Read && heRead && o2 >= 1 && he >= 0 && o2 + he <= 100)
            mixes.push_back({o2, he, 100 - o2 - he});
    }
    return mixes;
}

bool CalculatorSettings::addOwnMix(const quillan::WholePercent& mix) {
    if (!m_settings)
        return false;
    QStringList mixes = m_settings->value(kOwnMixesKey).toStringList();
    const QString text = QString::number(mix.o2) + QLatin1Char('/') + QString::number(mix.he);
    if (mixes.contains(text))
        return false;
    m_settings->setValue(kOwnMixesKey, mixes << text);
    return true;
}

QString CalculatorSettings::fillLogFile() const {
    return stored(QStringLiteral("log/file"));
}
