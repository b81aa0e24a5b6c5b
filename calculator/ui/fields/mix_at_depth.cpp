#include "fields/mix_at_depth.h"

#include "engine/depth.h"
#include "fields/number_text.h"
#include "fields/window_fields.h"

#include <QLineEdit>

using fields::Fixed2Text;
using fields::NumberText;
using fields::TextToDouble;
using fields::TextToInt16;

void showDepthFigures(const WindowFields& fields, quillan::report::UnitSystem units) {
    const double o2 = TextToDouble(fields.txtTargetO2->text());
    const std::int16_t depth = TextToInt16(fields.txtTargetDepth->text());
    if (depth == 0 || o2 == 0) {
        fields.txtTargetMOD->setText(QStringLiteral("0"));
        fields.txtTargetEND->setText(QStringLiteral("0"));
        fields.txtTargetPO2->setText(QStringLiteral("0"));
        return;
    }
    // The same quantity as CalcMOD, in this order of operations.
    const quillan::SeaWaterScale scale = quillan::report::seaWaterScale(units);
    const double perAtmosphere = scale.depthPerAtmosphere;
    const double mod =
        quillan::checkedDivide(1.6, TextToDouble(fields.txtTargetO2->text()) / 100.0) *
            perAtmosphere -
        perAtmosphere;
    fields.txtTargetMOD->setText(NumberText(quillan::toInt16(mod)));
    fields.txtTargetEND->setText(
        NumberText(quillan::CalcEND(TextToDouble(fields.txtTargetN->text()),
                                    TextToInt16(fields.txtTargetDepth->text()), scale)));
    fields.txtTargetPO2->setText(
        Fixed2Text(quillan::CalcPO2(TextToDouble(fields.txtTargetO2->text()),
                                    TextToInt16(fields.txtTargetDepth->text()), scale)));
}
