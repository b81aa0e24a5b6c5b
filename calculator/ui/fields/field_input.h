// The shared field routines of the main window: selecting a field's text, checking a
// field the user is leaving, and balancing the three gas percentages of one mix.
#pragma once

#include <cstdint>

class QLineEdit;

namespace fields {

// Selects the whole text of a field that has any.
void SelectControlText(QLineEdit* field);

// Checks the field against the inclusive bounds and rewrites an accepted entry as a
// whole number (halves to even). An empty field becomes "0" only where 0 is allowed.
// A rejected entry gets the "Invalid entry" box and keeps its text; the result is then
// true, meaning the focus must stay in the field.
bool CancelInput(std::int16_t lowerBound, std::int16_t upperBound, QLineEdit* field,
                 bool& selectText);

// Clamps O2 to 0..100 and He and N to 0..90, then derives N (and He where O2 and He
// exceed 100 together). A field that is not a number turns all three into "-1".
void BalanceMixFields(QLineEdit* o2Field, QLineEdit* heField, QLineEdit* nField);

} // namespace fields
