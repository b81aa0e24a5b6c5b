#include "options/fill_options_menu.h"

#include "options/calculator_settings.h"
#include "rules/limits.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QMenu>

namespace {

QDoubleSpinBox* temperatureField(QWidget* parent, const char* name, quillan::Temperature shown) {
    auto* field = new QDoubleSpinBox(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setRange(quillan::kLowestCelsius, quillan::kHighestCelsius);
    field->setDecimals(1);
    field->setSuffix(QStringLiteral(" °C"));
    field->setValue(shown.inCelsius());
    return field;
}

void askTemperatures(QWidget* parent) {
    CalculatorSettings settings;
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("dlgTemperatures"));
    dialog.setWindowTitle(QStringLiteral("Temperatures"));
    auto* form = new QFormLayout(&dialog);
    auto* fill = temperatureField(&dialog, "spnFillTemperature", settings.fillTemperature());
    auto* settle = temperatureField(&dialog, "spnSettleTemperature", settings.settleTemperature());
    form->addRow(QStringLiteral("Cylinder while &filling:"), fill);
    form->addRow(QStringLiteral("Once &settled (the required pressure):"), settle);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    form->addRow(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() == QDialog::Accepted)
        settings.setTemperatures(quillan::Temperature::celsius(fill->value()),
                                 quillan::Temperature::celsius(settle->value()));
}

} // namespace

void AddFillOptionsMenu(QMenu* parent) {
    QAction* temperatures = parent->addAction(QStringLiteral("&Temperatures..."));
    temperatures->setObjectName(QStringLiteral("mnuTemperatures"));
    QObject::connect(temperatures, &QAction::triggered, parent,
                     [parent] { askTemperatures(parent->window()); });

    QAction* checkpoints =
        parent->addAction(QStringLiteral("Analyser &checkpoints and gas density"));
    checkpoints->setObjectName(QStringLiteral("mnuCheckpoints"));
    checkpoints->setCheckable(true);
    checkpoints->setChecked(CalculatorSettings().checkpoints());
    QObject::connect(checkpoints, &QAction::toggled, checkpoints,
                     [](bool shown) { CalculatorSettings().setCheckpoints(shown); });
}
