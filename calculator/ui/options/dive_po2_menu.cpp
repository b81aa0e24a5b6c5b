#include "options/dive_po2_menu.h"

#include "options/calculator_settings.h"
#include "planning/best_mix.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QMenu>

namespace {

void askDivePO2(QWidget* parent) {
    CalculatorSettings settings;
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("dlgDivePO2"));
    dialog.setWindowTitle(QStringLiteral("Diver's PO2"));
    auto* form = new QFormLayout(&dialog);
    auto* po2 = new QDoubleSpinBox(&dialog);
    po2->setObjectName(QStringLiteral("spnDivePO2"));
    po2->setRange(quillan::kLowestDivePO2, quillan::kHighestDivePO2);
    po2->setSingleStep(0.1);
    po2->setDecimals(2);
    po2->setValue(settings.divePO2());
    form->addRow(QStringLiteral("Highest &PO2 on the bottom:"), po2);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    form->addRow(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() == QDialog::Accepted)
        settings.setDivePO2(po2->value());
}

} // namespace

void AddDivePO2Menu(QMenu* parent) {
    QAction* po2 = parent->addAction(QStringLiteral("Diver's &PO2..."));
    po2->setObjectName(QStringLiteral("mnuDivePO2"));
    QObject::connect(po2, &QAction::triggered, parent, [parent] { askDivePO2(parent->window()); });

    QAction* shown = parent->addAction(QStringLiteral("&MOD at the diver's PO2 in the report"));
    shown->setObjectName(QStringLiteral("mnuModAtDivePO2"));
    shown->setCheckable(true);
    shown->setChecked(CalculatorSettings().modAtDivePO2Shown());
    QObject::connect(shown, &QAction::toggled, shown,
                     [](bool on) { CalculatorSettings().setModAtDivePO2Shown(on); });
}
