// The calculator without its component library: nothing registered in the registry it
// reads. Error reports still reach the user, in the calculator's own box, and say why.
#include "library/common_calls.h"
#include "test_support.h"
#include "tested_main_window.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest/QtTest>

class CommonUnavailableTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { testsupport::useFreshRegistry(); }

    void errorReportFallsBackToOwnBox();
    void topUpErrorStillReported();
    void libraryCallsFailAsErrors();
};

void CommonUnavailableTest::errorReportFallsBackToOwnBox() {
    const auto box = testsupport::closeNextModal([] {
        library::ShowError(QStringLiteral("frmMain"), QStringLiteral("LoadInstructions"),
                           quillan::RuntimeError(6, "Quillan1", "Overflow"));
    });
    QVERIFY(box);
    QCOMPARE(box->title, QStringLiteral("Application Error"));
    const QStringList lines = box->text.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 5);
    QCOMPARE(lines.mid(0, 4), (QStringList{"Error at: frmMain.LoadInstructions", "Condition = ",
                                           "Number = 6", "Description = Overflow"}));
    QVERIFY2(lines[4].startsWith(QStringLiteral("QorCommon1 could not be loaded: ")),
             qPrintable(lines[4]));
    QVERIFY2(lines[4].contains(QStringLiteral("0x80040154")), qPrintable(lines[4]));
    QCOMPARE(box->buttons, QStringList{"OK"});
    QVERIFY(!box->hasIcon);
}

void CommonUnavailableTest::topUpErrorStillReported() {
    TestedMainWindow form;
    form.show();
    form.txtTargetPSI->setText(QStringLiteral("3000"));
    form.txtSourcePSI->setText(QStringLiteral("40000"));
    const auto box =
        testsupport::closeNextModal([&] { QTest::mouseClick(form.cmdTopWithAir, Qt::LeftButton); });
    QVERIFY(box);
    QVERIFY2(
        box->text.startsWith(QStringLiteral("Error at: frmMain.TopWithAir\r\n"
                                            "Condition = Loading Mix Array\r\nNumber = 6\r\n")),
        qPrintable(box->text));
}

void CommonUnavailableTest::libraryCallsFailAsErrors() {
    try {
        library::NulltoString(QStringLiteral("text"));
        QFAIL("no error raised");
    } catch (const quillan::RuntimeError& err) {
        QCOMPARE(err.number, 429);
        QVERIFY(QString::fromStdString(err.description)
                    .startsWith(QStringLiteral("QorCommon1 could not be loaded: ")));
    }
}

QTEST_MAIN(CommonUnavailableTest)
#include "test_common_unavailable.moc"
