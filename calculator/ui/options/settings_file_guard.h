// Keeps QSettings away from a settings file it would hang on: opening a FIFO blocks until
// a writer comes, which in the window means for good, and a device reads without end.
// QSettings reads the files it consults as soon as it is made, so the check comes first.
#pragma once

// Whether the calculator's settings (organisation "Quillan", application "Quillan1") may
// be opened: true unless a file QSettings would consult, the application's or the
// organisation's in the user's or a system configuration folder, exists as anything but a
// regular file. Then a warning on stderr names it, once, and the caller keeps its defaults
// and stores nothing.
bool SettingsFileIsSafe();
