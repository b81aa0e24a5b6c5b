// The main window on screens of any size: the designed size where it fits; on a short
// screen (a small display, or 150 % scaling) the instructions list gives up the missing
// height and scrolls, and every other control stays on the screen.
#include "test_support.h"
#include "tested_main_window.h"

#include <QGroupBox>
#include <QMenuBar>
#include <QScrollBar>
#include <QtTest/QtTest>

#include <memory>

class ScreenFitTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QVERIFY(testsupport::registerComponentLibrary()); }

    void fitsTheAvailableArea_data();
    void fitsTheAvailableArea();
    void theListTakesTheRoom_data();
    void theListTakesTheRoom();
};

void ScreenFitTest::fitsTheAvailableArea_data() {
    QTest::addColumn<QRect>("available");
    QTest::addColumn<int>("listHeight"); // designed 276
    QTest::addColumn<bool>("fitsOnScreen");
    // The menu bar's height varies with the font; rows are written for heights in pixels
    // the window needs (653 + menu + frame), so they are computed in the test.
    QTest::newRow("1280x1024: designed size") << QRect(0, 0, 1280, 1024) << 276 << true;
    QTest::newRow("exactly enough") << QRect(0, 0, 1280, -1) << 276 << true;
    QTest::newRow("1280x1024 at 150 %, below a panel") << QRect(0, 30, 853, 653) << -1 << true;
    QTest::newRow("800x500 at an offset") << QRect(100, 50, 800, 500) << -1 << true;
    QTest::newRow("too small: the list keeps 64 pixels") << QRect(0, 0, 640, 300) << 64 << false;
}

void ScreenFitTest::fitsTheAvailableArea() {
    QFETCH(QRect, available);
    QFETCH(int, listHeight);
    QFETCH(bool, fitsOnScreen);
    TestedMainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents(); // the fit to the real screen after showing
    const int frame = window.frameGeometry().height() - window.height();
    const int needed = 653 + window.menuBar()->sizeHint().height() + frame;
    if (available.height() < 0)
        available.setHeight(needed);
    if (listHeight < 0)
        listHeight = 276 - (needed - available.height());

    window.FitToScreen(available);
    QCOMPARE(window.lstBlendingInstructions->height(), listHeight);
    QCOMPARE(window.width(), 487);
    QCOMPARE(window.centralWidget()->height(), 653 - (276 - listHeight));
    QCOMPARE(window.frameGeometry().height() <= available.height(), fitsOnScreen);
    if (fitsOnScreen)
        QVERIFY2(available.contains(window.frameGeometry()),
                 qPrintable(QStringLiteral("%1,%2 %3x%4")
                                .arg(window.frameGeometry().x())
                                .arg(window.frameGeometry().y())
                                .arg(window.frameGeometry().width())
                                .arg(window.frameGeometry().height())));
    QVERIFY(window.frameGeometry().top() >= available.top()); // the title bar stays reachable
    // Every control lies inside the client area and its group; only the list got shorter.
    QWidget* client = window.centralWidget();
    for (const QWidget* control : client->findChildren<QWidget*>()) {
        if (control->parentWidget() != client && !qobject_cast<QGroupBox*>(control->parentWidget()))
            continue;
        const QRect inClient(control->mapTo(client, QPoint(0, 0)), control->size());
        QVERIFY2(client->rect().contains(inClient), qPrintable(control->objectName()));
    }
    // The 40 help lines scroll.
    QVERIFY(window.lstBlendingInstructions->verticalScrollBar()->maximum() > 0);
}

void ScreenFitTest::theListTakesTheRoom_data() {
    QTest::addColumn<QSize>("extra"); // over the designed window
    QTest::addColumn<QSize>("list");  // designed 465x276
    QTest::newRow("wider and taller") << QSize(200, 100) << QSize(665, 376);
    QTest::newRow("shorter than allowed") << QSize(-100, -400) << QSize(465, 64);
}

// Resized by the user: the list takes or gives up the room, the links above it keep to
// its right edge.
void ScreenFitTest::theListTakesTheRoom() {
    QFETCH(QSize, extra);
    QFETCH(QSize, list);
    TestedMainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QRect print = window.cmdPrint->geometry();
    window.resize(window.size() + extra);
    QTRY_COMPARE(window.lstBlendingInstructions->size(), list);
    QCOMPARE(window.cmdPrint->geometry(), print.translated(list.width() - 465, 0));
}

QTEST_MAIN(ScreenFitTest)
#include "test_screen_fit.moc"
