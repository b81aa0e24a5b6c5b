// Grabs the main window for the README's screenshots of looks a plain start cannot show:
//
//   screenshot_driver dark FILE      Fusion with a dark palette, after the trimix example
//   screenshot_driver warnings FILE  PO2 1.61 at the target depth (warning) and a hypoxic
//                                    starting mix
#include "test_support.h"
#include "tested_main_window.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleFactory>
#include <QtTest/QTest>

#include <cstdio>

namespace {

void enter(QLineEdit* field, const char* text) {
    field->setText(QString::fromLatin1(text));
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: screenshot_driver dark|warnings FILE\n");
        return 2;
    }
    const QString mode = QString::fromLocal8Bit(argv[1]);
    if (mode == QStringLiteral("dark")) {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(testsupport::darkFusionPalette());
    }
    TestedMainWindow window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    if (mode == QStringLiteral("dark")) {
        enter(window.txtTargetPSI, "3000");
        enter(window.txtTargetO2, "21");
        enter(window.txtTargetHe, "35");
        enter(window.txtTargetN, "44");
        window.cmdCalc->click();
    } else {
        enter(window.txtSourcePSI, "500");
        enter(window.txtSourceO2, "10");
        enter(window.txtSourceHe, "70");
        enter(window.txtSourceN, "20");
        enter(window.txtTargetO2, "32");
        enter(window.txtTargetN, "68");
        enter(window.txtTargetDepth, "133");
        window.ShowMixAtDepth();
    }
    QTest::qWait(200);
    return window.grab().save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
