// The cylinders a fill station meets most, and how a user names one: "AL80", "12L@232",
// "2x12L@232", or plain litres.
#pragma once

#include "quantities/cylinder.h"
#include "quantities/unit_system.h"

#include <optional>
#include <string_view>
#include <vector>

namespace quillan {

// Metric singles of 3 to 18 L at 200, 232 and 300 bar, twins of 7, 10 and 12 L, and the US
// aluminium and steel cylinders by their trade names.
const std::vector<Cylinder>& standardCylinders();

// A cylinder of the library by name ("AL80", "12L@232", "2x12L@300"), or one described as
// LITRES[@PRESSURE] or 2xLITRES[@PRESSURE], the pressure in the unit system's unit (232 bar
// when none is given). Nothing for text that is neither.
std::optional<Cylinder> cylinderNamed(std::string_view text, UnitSystem units);

} // namespace quillan
