#include "options/cylinder_dialog.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include <cmath>

using quillan::UnitSystem;

namespace {

template <class Field> Field* cylinderField(QWidget* parent, const char* name) {
    auto* field = new Field(parent);
    field->setObjectName(QString::fromLatin1(name));
    return field;
}

// "12L@232" or "2x12L@232" when the user gives no name, as the cylinder library names them.
QString nameFor(double litres, quillan::Pressure working, bool twin) {
    return (twin ? QStringLiteral("2x") : QString()) + QString::number(litres) +
           QStringLiteral("L@") + QString::number(std::nearbyint(working.inBar()));
}

} // namespace

std::optional<quillan::Cylinder> askOwnCylinder(QWidget* parent, UnitSystem units,
                                                const QStringList& taken) {
    const bool metric = units == UnitSystem::BarAndMetres;
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("dlgCylinder"));
    dialog.setWindowTitle(QStringLiteral("Add cylinder"));
    auto* form = new QFormLayout(&dialog);
    auto* name = cylinderField<QLineEdit>(&dialog, "txtCylinderName");
    auto* litres = cylinderField<QDoubleSpinBox>(&dialog, "spnCylinderLitres");
    litres->setRange(0.1, 100.0);
    litres->setDecimals(1);
    litres->setValue(12.0);
    litres->setSuffix(QStringLiteral(" L"));
    auto* working = cylinderField<QSpinBox>(&dialog, "spnCylinderPressure");
    working->setRange(1, metric ? 400 : 6000);
    working->setValue(metric ? 232 : 3000);
    working->setSuffix(QLatin1Char(' ') +
                       QString::fromUtf8(quillan::unitLabels(units).pressure.data()));
    auto* rated = cylinderField<QDoubleSpinBox>(&dialog, "spnCylinderRated");
    rated->setRange(0.0, 500.0);
    rated->setDecimals(1);
    rated->setSpecialValueText(QStringLiteral("not rated"));
    rated->setSuffix(QStringLiteral(" cu ft"));
    auto* twin = cylinderField<QCheckBox>(&dialog, "chkCylinderTwin");
    twin->setText(QStringLiteral("&Twin set (two of these)"));
    form->addRow(QStringLiteral("&Name:"), name);
    form->addRow(QStringLiteral("&Water capacity of one:"), litres);
    form->addRow(QStringLiteral("Working &pressure:"), working);
    form->addRow(QStringLiteral("&Rated free gas of one:"), rated);
    form->addRow(twin);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->setObjectName(QStringLiteral("btnCylinder"));
    form->addRow(buttons);
    const auto nameChosen = [&] {
        const QString given = name->text().trimmed();
        const QString shown =
            given.isEmpty() ? nameFor(litres->value(), quillan::pressureIn(units, working->value()),
                                      twin->isChecked())
                            : given;
        buttons->button(QDialogButtonBox::Ok)->setEnabled(!taken.contains(shown));
    };
    QObject::connect(name, &QLineEdit::textChanged, &dialog, nameChosen);
    QObject::connect(litres, &QDoubleSpinBox::valueChanged, &dialog, nameChosen);
    QObject::connect(working, &QSpinBox::valueChanged, &dialog, nameChosen);
    QObject::connect(twin, &QCheckBox::toggled, &dialog, nameChosen);
    nameChosen();
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;

    const double count = twin->isChecked() ? 2.0 : 1.0;
    const quillan::Pressure pressure = quillan::pressureIn(units, working->value());
    quillan::Cylinder cylinder{name->text().trimmed().toStdString(),
                               quillan::Volume::litres(litres->value() * count), pressure,
                               std::nullopt};
    if (cylinder.name.empty())
        cylinder.name = nameFor(litres->value(), pressure, twin->isChecked()).toStdString();
    if (rated->value() > 0.0)
        cylinder.ratedGas = quillan::Volume::cubicFeet(rated->value() * count);
    return cylinder;
}
