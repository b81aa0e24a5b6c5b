#include "window/window_icon.h"

QIcon WindowIcon() {
    QIcon icon;
    icon.addFile(QStringLiteral(":/quillan/cylinder-16.png"), QSize(16, 16));
    icon.addFile(QStringLiteral(":/quillan/cylinder-32.png"), QSize(32, 32));
    return icon;
}
