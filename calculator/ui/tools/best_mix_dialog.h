// The best mix dialog: the planned depth and the diver's limits in, the best mix and whether
// it can be blended from the window's fields out, and a button to make it the required mix.
#pragma once

#include "tools/required_mix_access.h"

class QWidget;

// Opens dlgBestMix, modal: spnDepth, spnPO2, spnEnd, chkO2Narcotic and spnDensity, the answer
// in lblBestMix, and cmdUseBestMix, which fills the required mix and the target depth with the
// planned depth, and closes the dialog.
void askBestMix(QWidget* parent, const RequiredMixAccess& window);
