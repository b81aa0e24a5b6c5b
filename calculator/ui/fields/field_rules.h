// What each editable field of the main window accepts and what leaving it brings up to
// date: one row a field, read by the field handlers.
#pragma once

#include "rules/limits.h"

#include <array>
#include <cstdint>

class QLineEdit;
struct WindowFields;

enum class FieldId {
    SourcePressure,
    SourceO2,
    SourceHe,
    TargetPressure,
    TargetO2,
    TargetHe,
    TargetDepth,
    TopUpO2,
};

// The pressures and the depth in the units the window shows.
quillan::WholeRange boundsOf(FieldId field, quillan::UnitSystem units);

// The fields whose figures are a pressure or a depth, converted when the units change.
enum class Quantity { Pressure, Depth };
struct UnitField {
    Quantity quantity;
    FieldId id;
    QLineEdit* WindowFields::*field;
};
const std::array<UnitField, 3>& unitFields();

// The three percentage fields of one mix, which are balanced together.
struct MixFields {
    QLineEdit* WindowFields::*o2;
    QLineEdit* WindowFields::*he;
    QLineEdit* WindowFields::*n;
};

struct FieldRule {
    FieldId id;
    QLineEdit* WindowFields::*field;
    const MixFields* balances;  // the mix balanced after every check, or none
    bool refreshesDepthFigures; // MOD, END and PO2 of the required mix
    bool refreshesTopUpGas;     // the top-up gas's N % and its caption
};

// The eight editable fields.
const std::array<FieldRule, 8>& fieldRules();
