#include "options/calculator_settings.h"

#include "options/settings_file_guard.h"

using quillan::GasModel;
using quillan::UnitSystem;

namespace {

const QString kUnitsKey = QStringLiteral("display/units");
const QString kGasModelKey = QStringLiteral("blend/gasModel");

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
