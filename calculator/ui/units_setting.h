// The unit system the calculator remembers between runs, kept in the user's settings
// (organisation "Quillan", application "Quillan1", key "display/units").
#pragma once

#include "report/units.h"

// The saved choice; PSI and feet when nothing, or nothing the calculator writes, is saved.
quillan::report::UnitSystem SavedUnitSystem();

void SaveUnitSystem(quillan::report::UnitSystem units);
