#include "marks/danger_marks.h"

#include "fields/number_text.h"
#include "physics/density.h"

#include <QLineEdit>

namespace {

QString po2Reason(Danger danger) {
    return danger == Danger::Warning
               ? QStringLiteral("PO2 above 1.6: risk of oxygen toxicity at this depth. "
                                "Do not breathe this mix here.")
               : QStringLiteral("PO2 above 1.4: beyond the usual limit for the working part "
                                "of a dive.");
}

const QString kHypoxicReason =
    QStringLiteral("O2 below 16 %: this mix is hypoxic at the surface. Do not breathe it there.");

// A figure the field handlers have not yet accepted (or a failure value) marks nothing.
double valueOr(const QLineEdit* field, double fallback) {
    try {
        return fields::TextToDouble(field->text());
    } catch (const quillan::RuntimeError&) {
        return fallback;
    }
}

void markPO2(QLineEdit* field) {
    const Danger danger = po2Danger(valueOr(field, 0.0));
    markDanger(field, danger, po2Reason(danger));
}

void markMixO2(QLineEdit* field) {
    markDanger(field, surfaceO2Danger(valueOr(field, 0.0)), kHypoxicReason);
}

} // namespace

Danger po2Danger(double po2) {
    if (po2 > 1.6)
        return Danger::Warning;
    if (po2 > 1.4)
        return Danger::Caution;
    return Danger::None;
}

Danger surfaceO2Danger(double o2Percent) {
    return o2Percent > 0 && o2Percent < 16 ? Danger::Warning : Danger::None;
}

Danger densityDanger(double gramsPerLitre) {
    if (gramsPerLitre > quillan::kDensityWarning)
        return Danger::Warning;
    if (gramsPerLitre > quillan::kDensityCaution)
        return Danger::Caution;
    return Danger::None;
}

void installDensityMark(QLineEdit* density) {
    QObject::connect(density, &QLineEdit::textChanged, density, [density] {
        const Danger danger = densityDanger(valueOr(density, 0.0));
        markDanger(density, danger,
                   danger == Danger::Warning
                       ? QStringLiteral("Gas density above 6.2 g/L: the work of breathing is past "
                                        "its limit. Do not plan this mix at this depth.")
                       : QStringLiteral("Gas density above 5.2 g/L: beyond the recommended "
                                        "figure for the working part of a dive."));
    });
}

void installDangerMarks(QLineEdit* po2, std::initializer_list<QLineEdit*> mixO2Fields) {
    QObject::connect(po2, &QLineEdit::textChanged, po2, [po2] { markPO2(po2); });
    for (QLineEdit* o2 : mixO2Fields)
        QObject::connect(o2, &QLineEdit::textChanged, o2, [o2] { markMixO2(o2); });
}
