#pragma once

// Diving figures in sea-water units: 33 fsw make one atmosphere, air holds 0.79 nitrogen.
// None of them throws; each returns -1 (or -1.0) when its arithmetic fails.

#include <cstdint>

namespace quillan {

// Maximum operating depth in fsw at a PO2 of 1.6 for a whole O2 percentage; -1 for O2 0.
std::int16_t CalcMOD(std::int16_t O2);

// Absolute pressure in atmospheres at a depth in fsw.
double CalcATA(std::int16_t depth);

// O2 partial pressure in atmospheres of a mix at a depth. O2 of 1 or more, or 0 or less, is a
// percentage; a value between 0 and 1 is taken as a fraction already.
double CalcPO2(double O2, std::int16_t depth);

// Equivalent narcotic depth in fsw (never negative on success; -1 on failure). N is read like
// CalcPO2's O2.
std::int16_t CalcEND(double N, std::int16_t depth);

} // namespace quillan
