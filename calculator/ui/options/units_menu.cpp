#include "options/units_menu.h"

#include "options/calculator_settings.h"

#include <QAction>
#include <QActionGroup>

using quillan::UnitSystem;

UnitsMenu::UnitsMenu(QMenu* parent, UnitSystem shown) : QMenu(QStringLiteral("&Units"), parent) {
    parent->addMenu(this);
    setObjectName(QStringLiteral("mnuUnits"));
    auto* choices = new QActionGroup(this);
    choices->setExclusive(true);
    m_psiAndFeet = addChoice(choices, "mnuPsiAndFeet", QStringLiteral("&PSI and feet"),
                             UnitSystem::PsiAndFeet, shown);
    m_barAndMetres = addChoice(choices, "mnuBarAndMetres", QStringLiteral("&bar and metres"),
                               UnitSystem::BarAndMetres, shown);
}

QAction* UnitsMenu::addChoice(QActionGroup* choices, const char* name, const QString& caption,
                              UnitSystem units, UnitSystem shown) {
    QAction* action = addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setCheckable(true);
    action->setChecked(shown == units);
    choices->addAction(action);
    connect(action, &QAction::triggered, this, [this, units] {
        emit unitsChosen(units);
        CalculatorSettings().setUnits(units);
    });
    return action;
}

void UnitsMenu::showUnits(UnitSystem units) {
    switch (units) {
    case UnitSystem::PsiAndFeet:
        m_psiAndFeet->setChecked(true);
        break;
    case UnitSystem::BarAndMetres:
        m_barAndMetres->setChecked(true);
        break;
    }
}
