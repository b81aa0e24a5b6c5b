#include "tools/banks_dialog.h"

#include "options/fill_station_settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

using quillan::Bank;
using quillan::BankSupply;
using quillan::SupplyGas;
using quillan::UnitSystem;

namespace {

template <class Control> Control* bankControl(QWidget* parent, const char* name) {
    auto* control = new Control(parent);
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

QString bankPressureText(quillan::Pressure pressure, UnitSystem units) {
    return QString::number(quillan::figureOf(pressure, units), 'f', 0) + QLatin1Char(' ') +
           QString::fromUtf8(quillan::unitLabels(units).pressure.data());
}

// "2. He 100/0, 50 L at 200 bar", numbered as the plan's lines number the banks.
QString bankText(std::size_t index, const Bank& bank, UnitSystem units) {
    const char* roles[] = {"He", "O2", "Top-up"};
    return QString::number(index + 1) + QStringLiteral(". ") +
           QString::fromLatin1(roles[int(bank.role)]) + QLatin1Char(' ') +
           QString::number(bank.gas.o2().inPercent(), 'f', 0) + QLatin1Char('/') +
           QString::number(bank.gas.he().inPercent(), 'f', 0) + QStringLiteral(", ") +
           QString::number(bank.waterCapacity.inLitres(), 'f', 1) + QStringLiteral(" L ") +
           (bank.compressor ? QStringLiteral("compressor to ") : QStringLiteral("at ")) +
           bankPressureText(bank.pressure, units);
}

// The fields one bank is described in before it is added to the list.
struct BankFields {
    QComboBox* role;
    QSpinBox* o2;
    QSpinBox* he;
    QDoubleSpinBox* litres;
    QSpinBox* pressure;
    QCheckBox* compressor;

    Bank bank(UnitSystem units) const {
        const auto gas = SupplyGas(role->currentIndex());
        const quillan::GasMix mix = gas == SupplyGas::Helium ? quillan::GasMix::helium()
                                    : gas == SupplyGas::Oxygen
                                        ? quillan::GasMix::oxygen()
                                        : quillan::GasMix::percent(o2->value(), he->value());
        return {gas, mix, quillan::Volume::litres(litres->value()),
                quillan::pressureIn(units, pressure->value()), compressor->isChecked()};
    }
};

BankFields bankFields(QDialog& dialog, QFormLayout* form, UnitSystem units) {
    const bool metric = units == UnitSystem::BarAndMetres;
    const QString unit =
        QLatin1Char(' ') + QString::fromUtf8(quillan::unitLabels(units).pressure.data());
    BankFields fields{bankControl<QComboBox>(&dialog, "cboBankRole"),
                      bankControl<QSpinBox>(&dialog, "spnBankO2"),
                      bankControl<QSpinBox>(&dialog, "spnBankHe"),
                      bankControl<QDoubleSpinBox>(&dialog, "spnBankLitres"),
                      bankControl<QSpinBox>(&dialog, "spnBankPressure"),
                      bankControl<QCheckBox>(&dialog, "chkBankCompressor")};
    // In the order of quillan::SupplyGas.
    fields.role->addItems(
        {QStringLiteral("Helium"), QStringLiteral("Oxygen"), QStringLiteral("Top-up gas")});
    fields.o2->setRange(0, 100);
    fields.o2->setValue(21);
    fields.o2->setSuffix(QStringLiteral(" % O2"));
    fields.he->setRange(0, 79);
    fields.he->setSuffix(QStringLiteral(" % He"));
    // The two never add up to more than the whole gas.
    QObject::connect(fields.o2, &QSpinBox::valueChanged, &dialog,
                     [he = fields.he](int o2) { he->setMaximum(100 - o2); });
    fields.litres->setRange(0.1, 10000.0);
    fields.litres->setDecimals(1);
    fields.litres->setValue(50.0);
    fields.litres->setSuffix(QStringLiteral(" L"));
    fields.pressure->setRange(0, metric ? 400 : 6000);
    fields.pressure->setValue(metric ? 200 : 3000);
    fields.pressure->setSuffix(unit);
    fields.compressor->setText(QStringLiteral("A co&mpressor (the pressure is its rating)"));
    // Only a top-up bank holds a gas of the user's choosing.
    const auto roleChosen = [fields](int index) {
        const bool topUp = SupplyGas(index) == SupplyGas::TopUp;
        fields.o2->setEnabled(topUp);
        fields.he->setEnabled(topUp);
    };
    QObject::connect(fields.role, &QComboBox::currentIndexChanged, &dialog, roleChosen);
    roleChosen(fields.role->currentIndex());
    auto* gas = new QHBoxLayout;
    gas->addWidget(fields.o2);
    gas->addWidget(fields.he);
    form->addRow(QStringLiteral("&Gas:"), fields.role);
    form->addRow(QStringLiteral("Top-up mix:"), gas);
    form->addRow(QStringLiteral("&Water capacity:"), fields.litres);
    form->addRow(QStringLiteral("&Pressure:"), fields.pressure);
    form->addRow(fields.compressor);
    return fields;
}

} // namespace

void askBanks(QWidget* parent, UnitSystem units,
              const std::function<QStringList(const BankSupply&)>& plan) {
    BankSupply supply = FillStationSettings().banks(units);
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("dlgBanks"));
    dialog.setWindowTitle(QStringLiteral("Banks"));
    auto* form = new QFormLayout(&dialog);
    auto* banks = bankControl<QListWidget>(&dialog, "lstBanks");
    form->addRow(banks);
    const BankFields fields = bankFields(dialog, form, units);
    auto* add = bankControl<QPushButton>(&dialog, "cmdAddBank");
    add->setText(QStringLiteral("&Add bank"));
    auto* remove = bankControl<QPushButton>(&dialog, "cmdRemoveBank");
    remove->setText(QStringLiteral("&Remove bank"));
    auto* listButtons = new QHBoxLayout;
    listButtons->addWidget(add);
    listButtons->addWidget(remove);
    form->addRow(listButtons);

    auto* minimum = bankControl<QSpinBox>(&dialog, "spnMinimumBank");
    minimum->setRange(0, units == UnitSystem::BarAndMetres ? 100 : 1500);
    minimum->setValue(int(std::lround(quillan::figureOf(supply.minimum, units))));
    minimum->setSuffix(QLatin1Char(' ') +
                       QString::fromUtf8(quillan::unitLabels(units).pressure.data()));
    auto* booster = bankControl<QCheckBox>(&dialog, "chkBooster");
    booster->setText(QStringLiteral("A &booster"));
    booster->setChecked(supply.booster);
    auto* order = bankControl<QComboBox>(&dialog, "cboFillOrder");
    order->addItems({QStringLiteral("Helium first"), QStringLiteral("Oxygen first")});
    order->setCurrentIndex(supply.oxygenFirst ? 1 : 0);
    form->addRow(QStringLiteral("Least &bank pressure:"), minimum);
    form->addRow(booster);
    form->addRow(QStringLiteral("Fill &order:"), order);

    auto* planButton = bankControl<QPushButton>(&dialog, "cmdPlanWithBanks");
    planButton->setText(QStringLiteral("P&lan with banks"));
    auto* planLines = bankControl<QListWidget>(&dialog, "lstBankPlan");
    planLines->setMinimumSize(560, 240);
    form->addRow(planButton);
    form->addRow(planLines);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    buttons->setObjectName(QStringLiteral("btnBanks"));
    form->addRow(buttons);

    const auto showBanks = [&] {
        banks->clear();
        for (std::size_t i = 0; i < supply.banks.size(); ++i)
            banks->addItem(bankText(i, supply.banks[i], units));
    };
    showBanks();
    const auto current = [&] {
        supply.minimum = quillan::pressureIn(units, minimum->value());
        supply.booster = booster->isChecked();
        supply.oxygenFirst = order->currentIndex() == 1;
        return supply;
    };
    QObject::connect(add, &QPushButton::clicked, &dialog, [&] {
        supply.banks.push_back(fields.bank(units));
        showBanks();
    });
    QObject::connect(remove, &QPushButton::clicked, &dialog, [&] {
        const int row = banks->currentRow();
        if (row < 0)
            return;
        supply.banks.erase(supply.banks.begin() + row);
        showBanks();
    });
    QObject::connect(planButton, &QPushButton::clicked, &dialog, [&] {
        planLines->clear();
        planLines->addItems(plan(current()));
        // The bank lines close the report.
        planLines->scrollToBottom();
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    dialog.exec();
    FillStationSettings().setBanks(current());
}
