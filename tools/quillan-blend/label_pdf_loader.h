// The label as a PDF from the command line: the Qt module is loaded from beside the program
// (or from the installed private library folder) only when a PDF is asked for.
#pragma once

#include "fill_log/cylinder_label.h"

#include <stdexcept>
#include <string>

namespace quillan::blend {

// The module is missing or unusable: the message names where it was looked for.
struct ModuleUnavailable : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Throws ModuleUnavailable, or std::runtime_error naming the file when it cannot be written.
void writeLabelPdf(const filllog::CylinderLabel& label, const std::string& file, bool a4);

} // namespace quillan::blend
