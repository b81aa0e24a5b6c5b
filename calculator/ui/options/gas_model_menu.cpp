#include "options/gas_model_menu.h"

#include "options/calculator_settings.h"

#include <QActionGroup>
#include <QMenu>

using quillan::GasModel;

namespace {

void addModelItem(QMenu* menu, QActionGroup* group, const char* name, const QString& caption,
                  GasModel model, const std::function<void()>& chosen) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(QString::fromLatin1(name));
    item->setCheckable(true);
    item->setChecked(CalculatorSettings().gasModel() == model);
    group->addAction(item);
    QObject::connect(item, &QAction::triggered, item, [model, chosen] {
        CalculatorSettings().setGasModel(model);
        chosen();
    });
}

} // namespace

void AddGasModelMenu(QMenu* parent, const std::function<void()>& chosen) {
    QMenu* menu = parent->addMenu(QStringLiteral("&Gas model"));
    menu->setObjectName(QStringLiteral("mnuGasModel"));
    auto* group = new QActionGroup(menu);
    group->setExclusive(true);
    addModelItem(menu, group, "mnuIdealGas", QStringLiteral("&Ideal gas"),
                 GasModel::IdealPartialPressures, chosen);
    addModelItem(menu, group, "mnuVirialGas", QStringLiteral("&Virial fit"), GasModel::Virial,
                 chosen);
    addModelItem(menu, group, "mnuRealGas", QStringLiteral("&Real gas (GERG-2008)"),
                 GasModel::Gerg2008, chosen);
}
