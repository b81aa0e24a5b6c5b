#include "fields/mix_at_depth.h"

#include "fields/number_text.h"
#include "fields/window_fields.h"
#include "options/calculator_settings.h"
#include "physics/density.h"
#include "physics/depth.h"

#include <QLineEdit>

using fields::Fixed2Text;
using fields::NumberText;
using fields::TextToDouble;
using fields::TextToInt16;

void showDepthFigures(const WindowFields& fields, quillan::UnitSystem units) {
    // Each text is read once; a figure is written as soon as it is known, so one that cannot
    // be read leaves those before it written.
    const double o2 = TextToDouble(fields.txtTargetO2->text());
    const std::int16_t depth = TextToInt16(fields.txtTargetDepth->text());
    if (depth == 0 || o2 == 0) {
        fields.txtTargetMOD->setText(QStringLiteral("0"));
        fields.txtTargetEND->setText(QStringLiteral("0"));
        fields.txtTargetPO2->setText(QStringLiteral("0"));
        fields.txtTargetDensity->setText(QStringLiteral("0"));
        return;
    }
    const quillan::SeaWaterScale scale = quillan::seaWaterScale(units);
    fields.txtTargetMOD->setText(NumberText(quillan::CalcMOD(quillan::toInt16(o2), scale)));
    const double n = TextToDouble(fields.txtTargetN->text());
    fields.txtTargetEND->setText(NumberText(quillan::CalcEND(n, depth, scale)));
    fields.txtTargetPO2->setText(Fixed2Text(quillan::CalcPO2(o2, depth, scale)));
    // Under the gas model the commands plan with, as the reports count it.
    const double he = TextToDouble(fields.txtTargetHe->text());
    const std::optional<double> density =
        quillan::gasDensity(quillan::gasLawOf(CalculatorSettings().gasModel()),
                            quillan::GasMix::percent(o2, he), quillan::ambientBar(depth, scale));
    fields.txtTargetDensity->setText(density ? QString::fromStdString(quillan::formatFixed1(
                                                   *density, fields::UserNumberLocale()))
                                             : QStringLiteral("-"));
}
