// The label stuck on an analysed cylinder: the mix in large type, then its depths, the
// reading and who made it. The window renders it to PDF.
#pragma once

#include "fill_log/fill_record.h"

#include <string>
#include <vector>

namespace quillan::filllog {

struct CylinderLabel {
    std::string mix; // in large type: "Nitrox 32"
    std::vector<std::string> details;
};

// Throws BadFill for a fill not yet analysed: a label states what the analyser read.
CylinderLabel cylinderLabel(const FillRecord& fill);

} // namespace quillan::filllog
