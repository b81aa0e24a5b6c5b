// Helpers for the tests of field validation and of saving and printing: the wired main
// window, keys and text typed as a person types them, and a closer for modal boxes.
#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QFileDialog;
class QLineEdit;
class QWidget;
struct TestedMainWindow;

namespace fieldtest {

// The main window (which installs field validation and the output links itself), shown
// and active, with QorCommon1 registered in a private registry.
std::unique_ptr<TestedMainWindow> openMainWindow();

// A key pressed and released on the active window, delivered as the platform delivers it.
void pressKey(QWidget* window, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Printable text typed key by key into whatever holds the focus.
void typeText(QWidget* window, const QString& text);
// Tabs (validating every field on the way) until `target` holds the focus.
bool tabTo(QWidget* window, QWidget* target);
// Focuses `field` with the keyboard and replaces its text by typing `text`.
bool enterText(QWidget* window, QLineEdit* field, const QString& text);
// A left click at the centre of `widget`.
void click(QWidget* widget);

struct SeenModal {
    QString title;
    QString text; // line ends as "\n", however the box was given them
};

// While it lives, every modal box is read and closed as soon as it shows: message boxes
// with OK, file dialogs through `onFileDialog` (cancelled when that is empty).
class ModalCloser final : public QObject {
  public:
    ModalCloser();
    ~ModalCloser() override;

    std::function<void(QFileDialog*)> onFileDialog;
    QList<SeenModal> seen;

    QStringList texts() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// The four lines of a frmMain error report as ShowError shows them, joined by "\n".
QString errorReport(const QString& procedure, int number, const QString& description);

} // namespace fieldtest
