// File > Record this fill: the required-mix plan the window shows goes into the fill log
// with the details the blender enters; a missing or out-of-date plan is refused.
#pragma once

#include "planning/mixer.h"
#include "report/blend_report.h"

#include <optional>

class QWidget;

namespace filllogui {

// What a required-mix plan was made from, kept while the window shows it.
struct ShownPlan {
    quillan::Mixer problem;
    quillan::report::BlendReport report;
    quillan::report::ReportOptions options;
};

// `outOfDate` when an input changed after the plan was made.
void recordFill(QWidget* window, const std::optional<ShownPlan>& plan, bool outOfDate);

} // namespace filllogui
