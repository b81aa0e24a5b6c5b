#include "options/calculator_settings.h"

#include "options/settings_file_guard.h"
#include "rules/limits.h"

using quillan::GasModel;
using quillan::UnitSystem;

namespace {

const QString kUnitsKey = QStringLiteral("display/units");
const QString kGasModelKey = QStringLiteral("blend/gasModel");
const QString kFillKey = QStringLiteral("blend/fillCelsius");
const QString kSettleKey = QStringLiteral("blend/settleCelsius");
const QString kCheckpointsKey = QStringLiteral("report/checkpoints");

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
