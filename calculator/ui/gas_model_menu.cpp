#include "gas_model_menu.h"

#include <QActionGroup>
#include <QMenu>
#include <QSettings>

#include "settings_file_guard.h"

using quillan::report::GasModel;

namespace {

const QString kKey = QStringLiteral("blend/gasModel");
const QString kIdeal = QStringLiteral("ideal");
const QString kReal = QStringLiteral("real");

QSettings settings() {
    return QSettings(QStringLiteral("Quillan"), QStringLiteral("Quillan1"));
}

QString valueOf(GasModel model) {
    switch (model) {
    case GasModel::IdealPartialPressures:
        return kIdeal;
    case GasModel::RealGas:
        return kReal;
    }
    return kIdeal;
}

QAction* addModelItem(QMenu* menu, QActionGroup* group, const char* name, const QString& caption,
                      GasModel model) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(QString::fromLatin1(name));
    item->setCheckable(true);
    item->setChecked(GasModelSetting::Stored() == model);
    group->addAction(item);
    QObject::connect(item, &QAction::triggered, item, [model] { GasModelSetting::Store(model); });
    return item;
}

} // namespace

namespace GasModelSetting {

GasModel Stored() {
    return SettingsFileIsSafe() && settings().value(kKey).toString() == kReal
               ? GasModel::RealGas
               : GasModel::IdealPartialPressures;
}

void Store(GasModel model) {
    if (SettingsFileIsSafe())
        settings().setValue(kKey, valueOf(model));
}

} // namespace GasModelSetting

QMenu* AddGasModelMenu(QMenu* parent) {
    QMenu* menu = parent->addMenu(QStringLiteral("&Gas model"));
    menu->setObjectName(QStringLiteral("mnuGasModel"));
    auto* group = new QActionGroup(menu);
    group->setExclusive(true);
    addModelItem(menu, group, "mnuIdealGas", QStringLiteral("&Ideal gas"),
                 GasModel::IdealPartialPressures);
    addModelItem(menu, group, "mnuRealGas", QStringLiteral("&Real gas"), GasModel::RealGas);
    return menu;
}
