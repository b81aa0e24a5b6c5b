#include "log/dialog_buttons.h"

#include <QBoxLayout>
#include <QPushButton>

namespace filllogui {

QPushButton* addButton(QBoxLayout* row, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption);
    button->setObjectName(QLatin1String(name));
    row->addWidget(button);
    return button;
}

} // namespace filllogui
