// The gas model the calculation commands plan with: ideal gas, the virial fit or real gas by
// the reference equation, chosen from a menu of exclusive items and remembered between runs
// (see CalculatorSettings).
#pragma once

#include <functional>

class QMenu;

// Adds the "&Gas model" submenu (mnuGasModel) with the items "&Ideal gas" (mnuIdealGas),
// "&Virial fit" (mnuVirialGas) and "&Real gas (GERG-2008)" (mnuRealGas) to `parent`. The checked
// item starts as stored; choosing one stores it, so the next command and the next run plan with
// it; `chosen` is then called.
void AddGasModelMenu(QMenu* parent, const std::function<void()>& chosen);
