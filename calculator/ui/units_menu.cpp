#include "units_menu.h"

#include "frm_main.h"
#include "units_setting.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

using quillan::report::UnitSystem;

void addUnitsMenu(QMenu* parent, frmMain& window) {
    window.mnuUnits = parent->addMenu(QStringLiteral("&Units"));
    window.mnuUnits->setObjectName(QStringLiteral("mnuUnits"));
    auto* choices = new QActionGroup(window.mnuUnits);
    choices->setExclusive(true);
    const struct {
        QAction* frmMain::*item;
        const char* name;
        QString caption;
        UnitSystem units;
    } items[] = {
        {&frmMain::mnuPsiAndFeet, "mnuPsiAndFeet", QStringLiteral("&PSI and feet"),
         UnitSystem::PsiAndFeet},
        {&frmMain::mnuBarAndMetres, "mnuBarAndMetres", QStringLiteral("&bar and metres"),
         UnitSystem::BarAndMetres},
    };
    for (const auto& item : items) {
        QAction* action = window.mnuUnits->addAction(item.caption);
        action->setObjectName(QString::fromLatin1(item.name));
        action->setCheckable(true);
        action->setChecked(window.Units() == item.units);
        choices->addAction(action);
        QObject::connect(action, &QAction::triggered, &window, [&window, units = item.units] {
            window.SetUnits(units);
            SaveUnitSystem(units);
        });
        window.*item.item = action;
    }
}
