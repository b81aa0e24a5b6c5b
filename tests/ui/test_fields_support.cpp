#include "test_fields_support.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <QtTest/QTest>

#include "test_support.h"
#include "tested_main_window.h"

namespace fieldtest {

std::unique_ptr<TestedMainWindow> openMainWindow() {
    static const bool registered = testsupport::registerComponentLibrary();
    if (!registered)
        qFatal("QorCommon1 could not be registered for the tests");
    // frmMain installs the field handlers and the output links itself.
    auto window = std::make_unique<TestedMainWindow>();
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get()))
        qFatal("the main window did not become active");
    return window;
}

namespace {

// A person acts on the window once it is active again; after a message box the offscreen
// platform may leave no window active, where a desktop gives the activation back.
void waitUntilActive(QWidget* window) {
    if (window->isActiveWindow())
        return;
    window->activateWindow();
    QCoreApplication::processEvents();
    if (!window->isActiveWindow() && !QTest::qWaitForWindowActive(window))
        qWarning("the window did not become active again");
}

} // namespace

void pressKey(QWidget* window, int key, Qt::KeyboardModifiers modifiers) {
    waitUntilActive(window);
    QTest::keyClick(window->windowHandle(), static_cast<Qt::Key>(key), modifiers);
}

void typeText(QWidget* window, const QString& text) {
    for (const QChar c : text) {
        waitUntilActive(window);
        QTest::keyClick(window->windowHandle(), c.toLatin1());
    }
}

bool tabTo(QWidget* window, QWidget* target) {
    for (int step = 0; step < 16 && QApplication::focusWidget() != target; ++step)
        pressKey(window, Qt::Key_Tab);
    return QApplication::focusWidget() == target;
}

bool enterText(QWidget* window, QLineEdit* field, const QString& text) {
    if (!tabTo(window, field))
        return false;
    // Tabbing in selects the whole text, so typing replaces it; an empty entry deletes it.
    if (text.isEmpty())
        pressKey(window, Qt::Key_Delete);
    typeText(window, text);
    return field->text() == text;
}

void click(QWidget* widget) {
    waitUntilActive(widget->window());
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
}

ModalCloser::ModalCloser() {
    qApp->installEventFilter(this);
}

ModalCloser::~ModalCloser() {
    qApp->removeEventFilter(this);
}

QStringList ModalCloser::texts() const {
    QStringList result;
    for (const SeenModal& modal : seen)
        result << modal.text;
    return result;
}

bool ModalCloser::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Show || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (!widget->isWindow() || !widget->isModal())
        return false;
    if (auto* box = qobject_cast<QMessageBox*>(widget)) {
        seen.append({box->windowTitle(),
                     QString(box->text()).replace(QStringLiteral("\r\n"), QStringLiteral("\n"))});
        QTimer::singleShot(0, box, [box] {
            if (box->buttons().isEmpty())
                box->done(0);
            else
                box->buttons().first()->click();
        });
    } else if (auto* dialog = qobject_cast<QFileDialog*>(widget)) {
        seen.append({dialog->windowTitle(), QString()});
        QTimer::singleShot(0, dialog, [this, dialog] {
            if (onFileDialog)
                onFileDialog(dialog);
            else
                dialog->reject();
        });
    }
    return false;
}

QString errorReport(const QString& procedure, int number, const QString& description) {
    return QStringLiteral("Error at: frmMain.%1\nCondition = \nNumber = %2\nDescription = %3")
        .arg(procedure, QString::number(number), description);
}

} // namespace fieldtest
