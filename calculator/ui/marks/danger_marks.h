// Marks the figures a diver must not miss: a PO2 at the target depth above the usual
// limits, and a mix that is hypoxic at the surface. Only colour, weight and tooltips
// change; the texts stay exactly as the commands and field handlers wrote them.
#pragma once

#include "marks/window_colours.h"

#include <initializer_list>

class QLineEdit;

// Above 1.6: warning (oxygen toxicity); above 1.4: caution (beyond the usual working limit).
Danger po2Danger(double po2);
// An O2 share below 16 % cannot keep a diver conscious at the surface. 0 % is an empty mix
// (the fields' starting state and what balancing writes for "no mix"), not a hypoxic one.
Danger surfaceO2Danger(double o2Percent);

// Re-marks the PO2 field and the O2 fields of the mixes whenever their text changes,
// from code or from the user.
void installDangerMarks(QLineEdit* po2, std::initializer_list<QLineEdit*> mixO2Fields);

// Caution above 5.2 g/L and warning above 6.2 g/L, as for PO2.
Danger densityDanger(double gramsPerLitre);
void installDensityMark(QLineEdit* density);
