#include "report/blend_report.h"

namespace quillan::report {

std::string errorAtLine(std::string_view step) {
    return "Error at " + std::string(step);
}

} // namespace quillan::report
