// The MOD field keeps the MOD at PO2 1.6; hovering it tells the MOD at the diver's own PO2.
#pragma once

#include "quantities/unit_system.h"

#include <functional>

struct WindowFields;

// On hover, txtTargetMOD's tooltip says "MOD at PO2 1.4: 111 fsw" for the required O2 as it
// stands, rounded down; nothing while the O2 is not a number.
void installModTooltip(const WindowFields& fields, std::function<quillan::UnitSystem()> units);
