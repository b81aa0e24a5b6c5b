// The gas model the calculation commands plan with: ideal or real gas, chosen from a menu of
// two exclusive items and remembered between runs.
#pragma once

#include "report/report_options.h"

class QMenu;

namespace GasModelSetting {

// The stored choice (QSettings "Quillan"/"Quillan1", key "blend/gasModel": "ideal" or
// "real"); ideal gas when nothing or anything else is stored.
quillan::report::GasModel Stored();
void Store(quillan::report::GasModel model);

} // namespace GasModelSetting

// Adds the "&Gas model" submenu (mnuGasModel) with the items "&Ideal gas" (mnuIdealGas) and
// "&Real gas" (mnuRealGas) to `parent`. The checked item starts as stored; choosing one stores
// it, so the next command and the next run plan with it.
QMenu* AddGasModelMenu(QMenu* parent);
