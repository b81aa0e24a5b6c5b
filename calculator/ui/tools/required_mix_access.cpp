#include "tools/required_mix_access.h"

#include "fields/mix_at_depth.h"
#include "fields/number_text.h"
#include "fields/window_fields.h"
#include "physics/depth.h"

#include <QLineEdit>

RequiredMixAccess windowAccess(const WindowFields& fields,
                               std::function<quillan::UnitSystem()> units,
                               std::function<quillan::Mixer()> problem) {
    auto fill = [fields, units](const quillan::WholePercent& mix,
                                std::optional<std::int16_t> depth) {
        fields.txtTargetO2->setText(fields::NumberText(mix.o2));
        fields.txtTargetHe->setText(fields::NumberText(mix.he));
        fields.txtTargetN->setText(fields::NumberText(mix.n));
        fields.txtTargetDepth->setText(fields::NumberText(depth.value_or(
            quillan::CalcMOD(std::int16_t(mix.o2), quillan::seaWaterScale(units())))));
        try {
            showDepthFigures(fields, units());
        } catch (const std::exception&) {
            // A depth that is not a number leaves its figures as they were, as when typed.
        }
    };
    return {std::move(units), std::move(problem), std::move(fill)};
}
