// The "Units" submenu (mnuUnits): two exclusive items, "PSI and feet" (mnuPsiAndFeet) and
// "bar and metres" (mnuBarAndMetres). Choosing one tells the window at once and remembers the
// choice for the next start.
#pragma once

#include "quantities/unit_system.h"

#include <QMenu>

class QAction;
class QActionGroup;

class UnitsMenu final : public QMenu {
    Q_OBJECT
  public:
    // Adds itself to `parent`, with the item of `shown` checked.
    UnitsMenu(QMenu* parent, quillan::UnitSystem shown);

    // Checks the item of `units`, which the window now shows.
    void showUnits(quillan::UnitSystem units);

  signals:
    // The user chose `units`; they are stored right after the window has switched.
    void unitsChosen(quillan::UnitSystem units);

  private:
    QAction* addChoice(QActionGroup* choices, const char* name, const QString& caption,
                       quillan::UnitSystem units, quillan::UnitSystem shown);

    QAction* m_psiAndFeet;
    QAction* m_barAndMetres;
};
