#include "options/gas_model_menu.h"

#include "options/calculator_settings.h"

#include <QActionGroup>
#include <QMenu>

using quillan::GasModel;

namespace {

void addModelItem(QMenu* menu, QActionGroup* group, const char* name, const QString& caption,
                  GasModel model) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(QString::fromLatin1(name));
    item->setCheckable(true);
    item->setChecked(CalculatorSettings().gasModel() == model);
    group->addAction(item);
    QObject::connect(item, &QAction::triggered, item,
                     [model] { CalculatorSettings().setGasModel(model); });
}

} // namespace

void AddGasModelMenu(QMenu* parent) {
    QMenu* menu = parent->addMenu(QStringLiteral("&Gas model"));
    menu->setObjectName(QStringLiteral("mnuGasModel"));
    auto* group = new QActionGroup(menu);
    group->setExclusive(true);
    addModelItem(menu, group, "mnuIdealGas", QStringLiteral("&Ideal gas"),
                 GasModel::IdealPartialPressures);
    addModelItem(menu, group, "mnuVirialGas", QStringLiteral("&Virial fit"), GasModel::Virial);
    addModelItem(menu, group, "mnuRealGas", QStringLiteral("&Real gas (GERG-2008)"),
                 GasModel::Gerg2008);
}
