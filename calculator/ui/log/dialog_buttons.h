// The fill log dialogs' buttons, each named for the tests and the user's tools.
#pragma once

class QBoxLayout;
class QPushButton;
class QString;

namespace filllogui {

QPushButton* addButton(QBoxLayout* row, const char* name, const QString& caption);

} // namespace filllogui
