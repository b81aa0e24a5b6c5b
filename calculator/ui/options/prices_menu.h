// The Options menu's fill-sheet items: "&Prices..." (mnuPrices, dialog dlgPrices) and the
// checkable "&Least-drain plan" (mnuLeastDrain), both remembered.
#pragma once

#include "quantities/unit_system.h"

#include <functional>

class QMenu;

// `changed` runs after either changes what a plan would be or cost.
void AddPricesMenu(QMenu* parent, std::function<quillan::UnitSystem()> units,
                   std::function<void()> changed);
