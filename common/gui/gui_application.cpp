#include "gui_application.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdlib>

#include "runtime_errors.h"

namespace qor::common {
namespace {

bool displayAvailable() {
    // Without a platform plugin choice and without a display, Qt would end the process.
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

[[noreturn]] void raiseNoWindows(const char16_t* why) {
    throw AutomationError(kErrInvalidProcedureCall, std::u16string(kLibrarySource), why);
}

} // namespace

void ensureGuiApplication() {
    if (QCoreApplication* existing = QCoreApplication::instance()) {
        if (qobject_cast<QApplication*>(existing) == nullptr)
            raiseNoWindows(u"The program runs without windows; none can be shown");
        return;
    }
    if (!displayAvailable())
        raiseNoWindows(u"No display is available to show the window");
    static int argc = 1;
    static char name[] = "QorCommon1";
    static char* argv[] = {name, nullptr};
    // Lives for the rest of the process; the library never tears it down.
    static QApplication* const application = new QApplication(argc, argv);
    (void)application;
}

void showMessageBox(const QString& objectName, const QString& title, const QString& text) {
    ensureGuiApplication();
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok);
    box.setObjectName(objectName);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

} // namespace qor::common
