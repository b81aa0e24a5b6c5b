// The options of how a fill is planned and reported beyond the gas model: the temperatures of
// the fill and of the settled cylinder, and the analyser checkpoints with the gas density.
// Both are remembered (see CalculatorSettings).
#pragma once

class QMenu;

// Adds "&Temperatures..." (mnuTemperatures), which opens the dialog dlgTemperatures with the
// fields spnFillTemperature and spnSettleTemperature in °C, and the checkable "Analyser
// &checkpoints and gas density" (mnuCheckpoints) to `parent`.
void AddFillOptionsMenu(QMenu* parent);
