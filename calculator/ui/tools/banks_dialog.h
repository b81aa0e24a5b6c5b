// The fill station's supply banks (dialog dlgBanks): the user keeps the list of banks, the
// least bank pressure, the booster and the fill order, all remembered; "Plan with banks"
// shows the current problem's report with the bank each step opens.
#pragma once

#include "planning/bank_fill.h"
#include "quantities/unit_system.h"

#include <QStringList>

#include <functional>

class QWidget;

// `plan` gives the report lines of the window's problem filled from the supply.
void askBanks(QWidget* parent, quillan::UnitSystem units,
              const std::function<QStringList(const quillan::BankSupply&)>& plan);
