// Helpers shared by the calculator's window tests: controls found by object name, a private
// registry with QorCommon1 registered in it, a fixed report clock, reading and closing modal
// message boxes, and reading the instructions list.
#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QListWidget;
class QPalette;
class QWidget;

namespace testsupport {

// The control of type T named `name` inside `window`, as the user's tools would find it. A
// missing one ends the test program: a renamed control is a fault of the window.
template <class T> T* child(const QObject& window, const char* name) {
    T* found = window.findChild<T*>(QString::fromLatin1(name));
    if (found == nullptr)
        qFatal("%s has no %s named %s", qPrintable(window.objectName()),
               T::staticMetaObject.className(), name);
    return found;
}

// Points XDG_DATA_HOME, XDG_CONFIG_HOME and HOME at a fresh temporary folder (removed at
// exit), so the registry and the stored settings the tests see are their own. Call before
// anything reads the registry or the settings (the main window reads them when it is created).
void useFreshRegistry();

// useFreshRegistry(), then registers the built QorCommon1 in that registry by calling its
// DllRegisterServer. Fails the calling test (returns false) when that does not work.
bool registerComponentLibrary();

// Every report line's date stamp then reads from this moment.
void setReportClock(const QDateTime& when);

// A modal box as the user saw it.
struct SeenBox {
    QString objectName;
    QString title;
    QString text;         // a message box's text, else the window's label texts joined by '\n'
    QStringList buttons;  // button captions, '&' removed
    bool hasIcon = false; // a message box's standard icon
};

// Runs action; the first modal window that opens meanwhile is read and closed with its
// first button (clicking "OK" on a message box). nullopt when none opened.
std::optional<SeenBox> closeNextModal(const std::function<void()>& action);

// Like closeNextModal, but the modal window is handed to `respond`, which must close it.
bool respondToNextModal(const std::function<void()>& action,
                        const std::function<void(QWidget*)>& respond);

QStringList listLines(const QListWidget* list);

// The dark colour scheme commonly used with the Fusion style (window 53, base 42, link
// 42/130/218), as a user's theme might set it.
QPalette darkFusionPalette();

// A box's text split into its lines (at CR LF or LF).
QStringList textLines(const QString& text);

} // namespace testsupport
