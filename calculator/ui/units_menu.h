// The "Units" submenu: two exclusive items, "PSI and feet" and "bar and metres". Choosing
// one switches the window at once and remembers the choice for the next start.
#pragma once

class QMenu;
class frmMain;

// Adds the submenu to `parent`, sets the window's mnuUnits, mnuPsiAndFeet and
// mnuBarAndMetres, and checks the item of the window's current units.
void addUnitsMenu(QMenu* parent, frmMain& window);
