#include "options/calculator_settings.h"

using quillan::GasModel;
using quillan::UnitSystem;

namespace {

const QString kUnitsKey = QStringLiteral("display/units");
const QString kGasModelKey = QStringLiteral("blend/gasModel");
} // namespace

CalculatorSettings::CalculatorSettings()
    : m_settings(QStringLiteral("Quillan"), QStringLiteral("Quillan1")) {}

UnitSystem CalculatorSettings::units() const {
    const QByteArray name = m_settings.value(kUnitsKey).toString().toUtf8();
    return quillan::unitSystemNamed(std::string_view(name.constData(), name.size()))
        .value_or(UnitSystem::PsiAndFeet);
}

void CalculatorSettings::setUnits(UnitSystem units) {
    const std::string_view name = quillan::unitSystemName(units);
    m_settings.setValue(kUnitsKey, QString::fromUtf8(name.data(), qsizetype(name.size())));
}

GasModel CalculatorSettings::gasModel() const {
    const QByteArray name = m_settings.value(kGasModelKey).toString().toUtf8();
    return quillan::gasModelNamed(std::string_view(name.constData(), name.size()))
        .value_or(GasModel::IdealPartialPressures);
}

void CalculatorSettings::setGasModel(GasModel model) {
    const std::string_view name = quillan::gasModelName(model);
    m_settings.setValue(kGasModelKey, QString::fromUtf8(name.data(), qsizetype(name.size())));
}
