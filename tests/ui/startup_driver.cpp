// Runs the calculator's start-up routine exactly as the program does and plays the user,
// for tests that must watch the process end. It prints one line per window shown or
// hidden, so the test can tell which windows appeared and in which order.
//
//   startup_driver decline       "I Do Not Accept"
//   startup_driver accept-exit   "I Accept", then File > Exit
//   startup_driver accept-close  "I Accept", then the main window's close command
//   startup_driver close         the disclaimer's close command (QWidget::close)
//   startup_driver close-box     the disclaimer's close box, as the window manager sends it
//   startup_driver show-trimix   "I Accept", then types the trimix example (required
//                                3000 PSI, O2 21, He 35) field by field, presses
//                                "&Calculate" and leaves the window open (screenshots)
//   startup_driver show-trimix-metric   the same after choosing bar and metres, with a
//                                required 200 bar
#include "test_support.h"
#include "window/frm_main.h"
#include "window/startup.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <QtTest/QTest>

#include <cstdio>

using testsupport::child;

namespace {

class WindowWatcher : public QObject {
  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->isWindow() &&
            (event->type() == QEvent::Show || event->type() == QEvent::Hide)) {
            std::printf("%s %s\n", event->type() == QEvent::Show ? "shown" : "hidden",
                        qPrintable(widget->objectName()));
            std::fflush(stdout);
        }
        return false;
    }
};

} // namespace

// Types into each field after reaching it with Tab, as a user would, so the fields'
// handlers balance the mix on the way.
void typeTrimixExample(frmMain& window, const char* requiredPressure) {
    // Without a window manager nothing activates the window by itself.
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        return;
    const std::pair<QLineEdit*, const char*> entries[] = {
        {child<QLineEdit>(window, "txtTargetPSI"), requiredPressure},
        {child<QLineEdit>(window, "txtTargetO2"), "21"},
        {child<QLineEdit>(window, "txtTargetHe"), "35"}};
    for (const auto& [field, text] : entries) {
        for (int step = 0; step < 12 && QApplication::focusWidget() != field; ++step)
            QTest::keyClick(window.windowHandle(), Qt::Key_Tab);
        QTest::keyClicks(field, QString::fromLatin1(text));
    }
    QTest::keyClick(window.windowHandle(), Qt::Key_Tab);
    QTest::mouseClick(child<QPushButton>(window, "cmdCalc"), Qt::LeftButton);
}

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    WindowWatcher watcher;
    app.installEventFilter(&watcher);

    QTimer answerDisclaimer;
    QObject::connect(&answerDisclaimer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal->objectName() != QStringLiteral("frmDisclaimer"))
            return;
        answerDisclaimer.stop();
        if (mode == QStringLiteral("close"))
            modal->close();
        else if (mode == QStringLiteral("close-box"))
            modal->windowHandle()->close();
        else
            QTest::mouseClick(modal->findChild<QPushButton*>(mode == QStringLiteral("decline")
                                                                 ? QStringLiteral("CancelButton")
                                                                 : QStringLiteral("OKButton")),
                              Qt::LeftButton);
    });
    answerDisclaimer.start(10);

    const std::unique_ptr<frmMain> window = StartCalculator();
    QTimer::singleShot(50, window.get(), [&] {
        if (mode == QStringLiteral("show-trimix")) {
            typeTrimixExample(*window, "3000");
        } else if (mode == QStringLiteral("show-trimix-metric")) {
            child<QAction>(*window, "mnuBarAndMetres")->trigger();
            typeTrimixExample(*window, "200");
        } else if (mode == QStringLiteral("accept-close")) {
            window->close();
        } else {
            child<QAction>(*window, "mnuExit")->trigger();
        }
    });
    QApplication::exec();
    std::printf("event loop returned\n");
    return 3;
}
