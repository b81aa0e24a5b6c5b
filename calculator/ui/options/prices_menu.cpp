#include "options/prices_menu.h"

#include "options/fill_station_settings.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMenu>

namespace {

QDoubleSpinBox* priceField(QWidget* parent, const char* name, double price, int decimals) {
    auto* field = new QDoubleSpinBox(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setRange(0.0, 100000.0);
    field->setDecimals(decimals);
    field->setValue(price);
    return field;
}

bool askPrices(QWidget* parent, quillan::UnitSystem units) {
    FillStationSettings settings;
    const quillan::Prices start = settings.prices(units).value_or(quillan::Prices{});
    const QString per = units == quillan::UnitSystem::BarAndMetres ? QStringLiteral("litre")
                                                                   : QStringLiteral("cu ft");
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("dlgPrices"));
    dialog.setWindowTitle(QStringLiteral("Prices"));
    auto* form = new QFormLayout(&dialog);
    auto* helium = priceField(&dialog, "spnHeliumPrice", start.helium, 4);
    auto* oxygen = priceField(&dialog, "spnOxygenPrice", start.oxygen, 4);
    auto* topUp = priceField(&dialog, "spnTopUpPrice", start.topUp, 4);
    auto* fee = priceField(&dialog, "spnFillFee", start.fillFee, 2);
    auto* currency = new QLineEdit(QString::fromStdString(start.currency), &dialog);
    currency->setObjectName(QStringLiteral("txtCurrency"));
    currency->setMaxLength(3);
    auto* basis = new QComboBox(&dialog);
    basis->setObjectName(QStringLiteral("cboChargeBasis"));
    basis->addItems({QStringLiteral("Nominal (the cylinder's rated gas)"),
                     QStringLiteral("Real (the gas the cylinder holds)")});
    basis->setCurrentIndex(start.basis == quillan::ChargeBasis::Real ? 1 : 0);
    form->addRow(QStringLiteral("&Helium per %1:").arg(per), helium);
    form->addRow(QStringLiteral("&Oxygen per %1:").arg(per), oxygen);
    form->addRow(QStringLiteral("&Top-up gas per %1:").arg(per), topUp);
    form->addRow(QStringLiteral("&Fill fee:"), fee);
    form->addRow(QStringLiteral("&Currency code:"), currency);
    form->addRow(QStringLiteral("C&harge:"), basis);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->setObjectName(QStringLiteral("btnPrices"));
    form->addRow(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    settings.setPrices({.helium = helium->value(),
                        .oxygen = oxygen->value(),
                        .topUp = topUp->value(),
                        .fillFee = fee->value(),
                        .currency = currency->text().trimmed().toUpper().toStdString(),
                        .basis = basis->currentIndex() == 1 ? quillan::ChargeBasis::Real
                                                            : quillan::ChargeBasis::Nominal},
                       units);
    return true;
}

} // namespace

void AddPricesMenu(QMenu* parent, std::function<quillan::UnitSystem()> units,
                   std::function<void()> changed) {
    QAction* prices = parent->addAction(QStringLiteral("P&rices..."));
    prices->setObjectName(QStringLiteral("mnuPrices"));
    QObject::connect(prices, &QAction::triggered, parent, [parent, units, changed] {
        if (askPrices(parent->window(), units()))
            changed();
    });

    QAction* leastDrain = parent->addAction(QStringLiteral("&Least-drain plan"));
    leastDrain->setObjectName(QStringLiteral("mnuLeastDrain"));
    leastDrain->setCheckable(true);
    leastDrain->setChecked(FillStationSettings().leastDrain());
    QObject::connect(leastDrain, &QAction::toggled, leastDrain, [changed](bool chosen) {
        FillStationSettings().setLeastDrain(chosen);
        changed();
    });
}
