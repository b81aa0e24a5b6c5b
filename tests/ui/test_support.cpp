#include "test_support.h"

#include "instructions/report_text.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPalette>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest/QTest>

#include <dlfcn.h>

#include <cstdlib>
#include <memory>

namespace testsupport {

void useFreshRegistry() {
    static std::unique_ptr<QTemporaryDir> folder;
    folder = std::make_unique<QTemporaryDir>();
    const QByteArray path = folder->path().toLocal8Bit();
    qputenv("XDG_DATA_HOME", path);
    qputenv("XDG_CONFIG_HOME", path); // the window's stored settings too
    qputenv("HOME", path);
    // No system registry either: an installed package must not answer the test's lookups.
    qputenv("XDG_DATA_DIRS", path + "/no-system-data");
}

bool registerComponentLibrary() {
    useFreshRegistry();
    void* library = dlopen(QORCOMMON1_PATH, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        qWarning("cannot load %s: %s", QORCOMMON1_PATH, dlerror());
        return false;
    }
    using Register = int (*)();
    const auto registerServer = reinterpret_cast<Register>(dlsym(library, "DllRegisterServer"));
    const bool registered = registerServer != nullptr && registerServer() >= 0;
    if (!registered)
        qWarning("DllRegisterServer of %s failed", QORCOMMON1_PATH);
    // The library stays loaded: the calculator's object will come from it.
    return registered;
}

void setReportClock(const QDateTime& when) {
    instructions::SetReportClock([when] { return when; });
}

namespace {

SeenBox read(QWidget* window) {
    SeenBox seen;
    seen.objectName = window->objectName();
    seen.title = window->windowTitle();
    if (auto* box = qobject_cast<QMessageBox*>(window)) {
        seen.text = box->text();
        seen.hasIcon = box->icon() != QMessageBox::NoIcon;
    } else {
        QStringList texts;
        for (const QLabel* label : window->findChildren<QLabel*>())
            texts << label->text();
        seen.text = texts.join(QLatin1Char('\n'));
    }
    for (const QAbstractButton* button : window->findChildren<QAbstractButton*>())
        seen.buttons << QString(button->text()).remove(QLatin1Char('&'));
    return seen;
}

void closeWithFirstButton(QWidget* window) {
    if (auto* box = qobject_cast<QMessageBox*>(window); box && !box->buttons().isEmpty()) {
        box->buttons().first()->click();
        return;
    }
    const auto buttons = window->findChildren<QPushButton*>();
    if (!buttons.isEmpty())
        buttons.first()->click();
    else
        window->close();
}

} // namespace

bool respondToNextModal(const std::function<void()>& action,
                        const std::function<void(QWidget*)>& respond) {
    bool responded = false;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible() || responded)
            return;
        responded = true;
        poll.stop();
        respond(modal);
    });
    poll.start();
    action();
    poll.stop();
    return responded;
}

std::optional<SeenBox> closeNextModal(const std::function<void()>& action) {
    std::optional<SeenBox> seen;
    respondToNextModal(action, [&](QWidget* modal) {
        seen = read(modal);
        closeWithFirstButton(modal);
    });
    return seen;
}

QStringList listLines(const QListWidget* list) {
    QStringList lines;
    for (int row = 0; row < list->count(); ++row)
        lines << list->item(row)->text();
    return lines;
}

QPalette darkFusionPalette() {
    const QColor window(53, 53, 53);
    const QColor disabledText(127, 127, 127);
    QPalette dark;
    dark.setColor(QPalette::Window, window);
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::Base, QColor(42, 42, 42));
    dark.setColor(QPalette::AlternateBase, QColor(66, 66, 66));
    dark.setColor(QPalette::ToolTipBase, window);
    dark.setColor(QPalette::ToolTipText, Qt::white);
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::Button, window);
    dark.setColor(QPalette::ButtonText, Qt::white);
    dark.setColor(QPalette::BrightText, Qt::red);
    dark.setColor(QPalette::Link, QColor(42, 130, 218));
    dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
    dark.setColor(QPalette::HighlightedText, Qt::black);
    dark.setColor(QPalette::Light, QColor(80, 80, 80));
    dark.setColor(QPalette::Midlight, QColor(66, 66, 66));
    dark.setColor(QPalette::Mid, QColor(40, 40, 40));
    dark.setColor(QPalette::Dark, QColor(35, 35, 35));
    dark.setColor(QPalette::Shadow, QColor(20, 20, 20));
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(QPalette::Disabled, role, disabledText);
    return dark;
}

QStringList textLines(const QString& text) {
    return text.split(QRegularExpression(QStringLiteral("\\r?\\n")));
}

} // namespace testsupport
