#include "options/calculator_settings.h"

using quillan::GasModel;
using quillan::UnitSystem;

namespace {

const QString kUnitsKey = QStringLiteral("display/units");
const QString kGasModelKey = QStringLiteral("blend/gasModel");
const QString kIdeal = QStringLiteral("ideal");
const QString kReal = QStringLiteral("real");

QString valueOf(GasModel model) {
    switch (model) {
    case GasModel::IdealPartialPressures:
        return kIdeal;
    case GasModel::RealGas:
        return kReal;
    }
    return kIdeal;
}

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
    return m_settings.value(kGasModelKey).toString() == kReal ? GasModel::RealGas
                                                              : GasModel::IdealPartialPressures;
}

void CalculatorSettings::setGasModel(GasModel model) {
    m_settings.setValue(kGasModelKey, valueOf(model));
}
