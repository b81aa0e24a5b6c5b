// What a diver asks before blending, added to the main window in one call: the best mix for
// a depth, the usual mixes, and the MOD at the diver's own PO2.
#pragma once

#include "planning/mixer.h"
#include "quantities/unit_system.h"

#include <functional>

class QMenuBar;
struct WindowFields;

// Adds the diver's PO2 items to the Options menu (mnuOptions), then the menus "Too&ls" (Alt+T
// is the top-up button's)
// (mnuTools, with "&Best mix..." mnuBestMix) and Mixes (see AddMixesMenu), and the MOD field's
// tooltip. `problem` reads the fields as a blending problem.
void AddDiveTools(QMenuBar* bar, const WindowFields& fields,
                  std::function<quillan::UnitSystem()> units,
                  std::function<quillan::Mixer()> problem);
