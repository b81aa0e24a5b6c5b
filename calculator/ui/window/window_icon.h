#pragma once

#include <QIcon>

// The calculator's own icon (a gas cylinder), shared by both windows.
QIcon WindowIcon();
