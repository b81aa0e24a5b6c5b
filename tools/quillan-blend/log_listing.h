// How `quillan-blend log list` shows the fills: a line each, or one JSON array.
#pragma once

#include "fill_log/fill_record.h"

#include <string>
#include <vector>

namespace quillan::blend {

// "12  2024-07-08T09:10:11Z  Ann  S-100  Nitrox 32 to 3000  analysed 31.8/0 by Cy".
std::string fillLine(const filllog::FillRecord& fill);

// One line; each fill with id, time, blender, customer, cylinder_serial, cylinder,
// start, required_mix, plan, analysed_o2, analysed_he, analyst, analysed_at,
// customer_accepted and notes.
std::string fillsJson(const std::vector<filllog::FillRecord>& fills);

} // namespace quillan::blend
