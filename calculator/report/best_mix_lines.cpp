#include "report/best_mix_lines.h"

#include "report/fill_sheet.h"
#include "rules/limits.h"

namespace quillan::report {

namespace {

std::string shortfallLine(const MixShortfall& shortfall, std::string_view depth,
                          const NumberLocale& numbers) {
    const std::string unit =
        shortfall.limit == MixLimit::Density ? std::string(" g/L") : " " + std::string(depth);
    return "No mix meets every limit: " + limitCaption(shortfall.limit) + " is " +
           formatFixed1(shortfall.by, numbers) + unit + " over it";
}

} // namespace

std::string limitCaption(MixLimit limit) {
    switch (limit) {
    case MixLimit::PO2:
        return "PO2";
    case MixLimit::End:
        return "END";
    case MixLimit::Density:
        break;
    }
    return "density";
}

std::vector<std::string> bestMixLines(const BestMixLimits& limits, const BestMixOutcome& outcome,
                                      const NumberLocale& numbers) {
    const std::string depth(unitLabels(limits.units).depth);
    if (!outcome.best)
        return {shortfallLine(outcome.shortfall, depth, numbers)};
    const BestMix& best = *outcome.best;
    std::vector<std::string> lines{
        "Best mix: " + GasMix::percent(best.mix.o2, best.mix.he).name(),
        "O2 " + formatNumber(best.mix.o2) + " %, He " + formatNumber(best.mix.he) + " %",
        "MOD " + formatNumber(best.mod) + " " + depth + " at PO2 " +
            formatNumber(limits.maxPO2, numbers),
        "END " + formatNumber(best.end) + " " + depth,
        "Density " + formatFixed2(best.density, numbers) + " g/L",
    };
    std::string binding = "Limits reached:";
    for (std::size_t i = 0; i < best.binding.size(); ++i)
        binding += (i == 0 ? " " : ", ") + limitCaption(best.binding[i]);
    lines.push_back(best.binding.empty() ? "Limits reached: none" : binding);
    if (best.hypoxicAbove)
        lines.push_back("Hypoxic at the surface: breathe it from " +
                        formatNumber(*best.hypoxicAbove) + " " + depth + " down");
    return lines;
}

std::string blendableLine(const PlanOutcome& outcome, const ReportOptions& options) {
    if (outcome.plan)
        return "Blendable from the cylinder at hand";
    std::string why;
    switch (outcome.whyNot) {
    case NoPlan::TargetRequired:
        why = "no required pressure";
        break;
    case NoPlan::LowSourceO2:
        why = kLowSourceO2Text;
        break;
    case NoPlan::MixImpossible:
        why = kMixImpossible;
        break;
    case NoPlan::AboveTestPressure:
        why = aboveTestPressureLine(options);
        break;
    }
    return "Not blendable: " + why;
}

} // namespace quillan::report
