// The report lines of the two calculation commands, and the values each command writes back
// to the window: the required mix ("how do I blend this?") and the plain top-up ("what do I
// get if I just top up?"). The planner works the plan out; this turns it into lines.
#pragma once

#include "planning/blend_plan.h"
#include "planning/mixer.h"
#include "report/fill_sheet.h"
#include "report/report_options.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillan::report {

// A run-time error met while building a report.
struct ReportError {
    std::int32_t number = 0;
    std::string source;
    std::string description;
};

enum class Outcome {
    Plan,        // the blend can be made: see BlendReport::plan
    NotPossible, // the inputs or the gases do not allow it: see BlendReport::whyNot
    Failed,      // a run-time error stopped the report: see BlendReport::error
};

// What the gauge should read after each step of a plan counted by gauge, in the steps the
// gauge is read in (whole units, or tenths of a bar).
struct ShownGauges {
    std::optional<double> drainTo; // only when the plan drains
    double afterHelium = 0;
    double afterOxygen = 0;
    double afterTopUp = 0;
};

// A plan in the whole figures the blender reads, in the units of the options. For a plan
// counted by gauge the four quantities are the gauge's rise (or fall) over each step.
struct ShownPlan {
    double drain = 0;  // of the starting gas
    double helium = 0; // added
    double oxygen = 0; // added
    double topUp = 0;  // of the top-up gas, added last
    std::string topUpGas;
    std::int16_t finalPressure = 0;
    WholePercent finalMix;
    std::string finalMixName;
    std::int16_t mod = 0; // at a PO2 of 1.6
    double po2 = 0.0;     // at the MOD
    std::int16_t end = 0; // at the MOD
    std::optional<ShownGauges> gauges;
    std::optional<GasMix> idealFiguresMix;
    bool showsIdealFigures = false;
    std::optional<ShownGauges> exactGauges; // unrounded
    std::optional<double> settledPressure;  // filled hot: the reading once settled
    std::optional<double> o2AfterHelium;    // analyser checkpoints, in percent
    std::optional<double> o2AfterOxygen;
    std::optional<GasMix> fullDrainMix;   // drained to empty: what it really holds
    std::optional<double> densityAtMod;   // g/L, under the plan's gas model
    std::optional<std::int16_t> modAtPO2; // at the diver's own PO2, when asked for
};

struct BlendReport {
    std::vector<std::string> lines; // on failure, the lines made before it
    Outcome outcome = Outcome::Failed;
    std::string whyNot;
    std::optional<ShownPlan> plan;
    std::optional<FillSheet> sheet; // with a cylinder chosen
    std::optional<BankFill> banks;  // with banks given
    std::optional<ReportError> error;
    std::string step; // what the command was doing, for the error report

    // What the command writes back: the target depth (the mix's MOD), and after a top-up the
    // new O2, He and N of the required mix.
    std::optional<std::int16_t> targetDepth;
    std::optional<WholePercent> requiredMix;
    // The required mix whose depth figures the window then refreshes.
    std::optional<WholePercent> depthMix;
};

// The required-mix command's report for the problem held by `problem` (source, target and
// top-up gas as the window's fields give them). `dateTime` is the heading's date and time.
BlendReport requiredMixReport(const Mixer& problem, std::string_view dateTime,
                              const ReportOptions& options);

// The top-up command's report: the source topped up with the top-up gas to the target
// pressure; the target's own O2 and He play no part.
BlendReport topUpReport(const Mixer& problem, std::string_view dateTime,
                        const ReportOptions& options);

// The step name both commands report their failures under.
inline constexpr std::string_view kLoadingStep = "Loading Mix Array";

// The one line the required-mix command shows for a failure: "Error at " + the step.
std::string errorAtLine(std::string_view step);

} // namespace quillan::report
