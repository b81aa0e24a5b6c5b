// The diver's own PO2 limit, and whether the report gives the final mix's MOD at it; both
// remembered (see CalculatorSettings).
#pragma once

class QMenu;

// Adds "Diver's &PO2..." (mnuDivePO2), which opens dlgDivePO2 with spnDivePO2 (1.2 to 1.6),
// and the checkable "&MOD at the diver's PO2 in the report" (mnuModAtDivePO2) to `parent`.
void AddDivePO2Menu(QMenu* parent);
