#include "units_setting.h"

#include <QSettings>

#include "settings_file_guard.h"

namespace {

const QString kUnitsKey = QStringLiteral("display/units");

QSettings calculatorSettings() {
    return QSettings(QStringLiteral("Quillan"), QStringLiteral("Quillan1"));
}

} // namespace

quillan::report::UnitSystem SavedUnitSystem() {
    const QByteArray name =
        SettingsFileIsSafe() ? calculatorSettings().value(kUnitsKey).toString().toUtf8() : "";
    return quillan::report::unitSystemNamed(std::string_view(name.constData(), name.size()))
        .value_or(quillan::report::UnitSystem::PsiAndFeet);
}

void SaveUnitSystem(quillan::report::UnitSystem units) {
    const std::string_view name = quillan::report::unitSystemName(units);
    if (SettingsFileIsSafe())
        calculatorSettings().setValue(kUnitsKey,
                                      QString::fromUtf8(name.data(), qsizetype(name.size())));
}
