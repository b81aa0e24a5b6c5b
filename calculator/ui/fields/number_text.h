// The number rules applied to field texts: how the user writes numbers, a field's text as
// a number, and a number as the text a field shows.
#pragma once

#include <QString>

#include <cstdint>

#include "engine/number_rules.h"

namespace fields {

// How the user writes numbers, read once from the environment's locale.
const quillan::NumberLocale& UserNumberLocale();

// A field's text as a number in the user's locale, as typed (no exponent): 13 when it is
// not a number, 6 when it
// does not fit 16 bits (TextToInt16 rounds halves to even).
double TextToDouble(const QString& text);
std::int16_t TextToInt16(const QString& text);

// Plain decimal text of a whole number, and the pattern "0.00" in the user's locale.
QString NumberText(std::int64_t value);
QString Fixed2Text(double value);

} // namespace fields
