// The required mix's depth figures: MOD at a PO2 of 1.6, and END, PO2 and gas density at the
// target depth.
#pragma once

#include "quantities/unit_system.h"

struct WindowFields;

// Writes the four figures from the O2, He, N and depth texts. Throws quillan::RuntimeError (13)
// when one of those is not a number, and 6 when a figure does not fit 16 bits; the figures
// written before stay.
void showDepthFigures(const WindowFields& fields, quillan::UnitSystem units);
