// The help text the instructions list shows at start and after a click on "Instructions".
#pragma once

#include <QStringList>

class QListWidget;

namespace instructions {

// The 40 lines, the first two being the title and the date stamp.
QStringList HelpText();

// Replaces the list's lines by the help text; a failure is reported through ShowError, as
// the main window's.
void LoadInstructions(QListWidget& list);

} // namespace instructions
