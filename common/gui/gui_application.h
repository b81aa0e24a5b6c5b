// The library shows windows only when an operation is called to; a program that loaded
// it without a Qt application gets one on first need, kept for the rest of the process.
#pragma once

#include <QString>

namespace qor::common {

// Makes sure a QApplication exists; throws an AutomationError when none can be had
// (no display, or a non-widget application already running).
void ensureGuiApplication();

// A modal message box with an OK button only and no icon; returns when it is closed.
void showMessageBox(const QString& objectName, const QString& title, const QString& text);

} // namespace qor::common
