// The windows the library shows, reached through QorCommon1Gui.so, which is loaded on
// first need so that creating the library's objects never loads Qt.
#pragma once

#include <string_view>

namespace qor::common {

// A modal box with an OK button only and no icon. Throws an AutomationError when the
// box cannot be shown: error 48 when the windowing module cannot be loaded, otherwise
// the module's own failure (such as 5 when no display is available).
void displayMessageBox(std::u16string_view objectName, std::u16string_view title,
                       std::u16string_view text);

// The About dialog for the calling application, modal; fails as displayMessageBox.
void displayAboutDialog(std::u16string_view appName, std::u16string_view appVersion);

} // namespace qor::common
