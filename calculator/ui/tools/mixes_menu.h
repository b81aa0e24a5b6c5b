// The Mixes menu: the usual nitrox and trimix blends, and the user's own, each filling the
// required mix.
#pragma once

#include "tools/required_mix_access.h"

class QMenuBar;

// Adds "&Mixes" (mnuMixes): air, Nitrox 32, 36, 40 and 50, oxygen, Trimix 21/35, 18/45,
// 15/55, 12/60 and 10/70, then the user's own mixes, then "&Add current mix" (mnuAddMix),
// which remembers the required mix as it stands. Each mix item is named mnuMix and its
// O2_He ("mnuMix32_0").
void AddMixesMenu(QMenuBar* bar, const RequiredMixAccess& window);
