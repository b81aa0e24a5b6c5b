#include "report/blend_report.h"

namespace quillan::report {

UnitLabels unitLabels(UnitSystem units) {
    switch (units) {
    case UnitSystem::PsiAndFeet:
        break;
    }
    return {"PSI", "fsw"};
}

std::string errorAtLine(std::string_view step) {
    return "Error at " + std::string(step);
}

} // namespace quillan::report
