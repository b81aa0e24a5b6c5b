// Readable in any theme: the colours the windows paint themselves (read-only fields, group
// captions, links, the disclaimer's warning and address) reach WCAG AA contrast, measured
// on the rendered windows, under the default palette and a dark Fusion palette; the
// default look keeps its designed colours.
#include "controls/clickable_label.h"
#include "marks/contrast.h"
#include "marks/window_colours.h"
#include "painted_contrast.h"
#include "test_support.h"
#include "tested_main_window.h"
#include "window/frm_disclaimer.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyleFactory>
#include <QtTest/QtTest>

#include <memory>

namespace {

const QStringList kMainWindowTexts{
    "frmStartingCylinder", "frmRequired",     "frmBlendingInstructions",
    "txtSourceN",          "txtTargetN",      "txtTargetMOD",
    "txtTargetEND",        "txtTargetPO2",    "txtTopN",
    "txtSourcePSI",        "lblInstrictions", "cmdPrint",
    "cmdlblSave",          "lblTopup"};

QString describe(const testsupport::PaintedText& painted) {
    return QStringLiteral("%1 on %2: %3:1")
        .arg(painted.text.name(), painted.background.name())
        .arg(painted.ratio, 0, 'f', 2);
}

} // namespace

class WindowColoursTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QVERIFY(testsupport::registerComponentLibrary());
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        defaultPalette = QApplication::palette();
    }
    void cleanup() { QApplication::setPalette(defaultPalette); }

    void contrastRatio_data();
    void contrastRatio();
    void readableOnReachesAA_data();
    void readableOnReachesAA();
    void mainWindowTextsRead_data();
    void mainWindowTextsRead();
    void disclaimerTextsRead_data();
    void disclaimerTextsRead();
    void defaultLookKeepsTheDesignedColours();
    void coloursFollowAPaletteChange();

  private:
    QPalette defaultPalette;
};

void WindowColoursTest::contrastRatio_data() {
    QTest::addColumn<QColor>("a");
    QTest::addColumn<QColor>("b");
    QTest::addColumn<double>("ratio");
    QTest::newRow("black on white") << QColor(Qt::black) << QColor(Qt::white) << 21.0;
    QTest::newRow("order does not matter") << QColor(Qt::white) << QColor(Qt::black) << 21.0;
    QTest::newRow("same colour") << QColor(120, 30, 200) << QColor(120, 30, 200) << 1.0;
    // Published WCAG figures.
    QTest::newRow("blue on white") << QColor(0, 0, 255) << QColor(Qt::white) << 8.59;
    QTest::newRow("#777 on white") << QColor(0x77, 0x77, 0x77) << QColor(Qt::white) << 4.48;
    QTest::newRow("red on white") << QColor(255, 0, 0) << QColor(Qt::white) << 4.0;
}

void WindowColoursTest::contrastRatio() {
    QFETCH(QColor, a);
    QFETCH(QColor, b);
    QFETCH(double, ratio);
    QVERIFY2(qAbs(contrast::ratio(a, b) - ratio) < 0.01,
             qPrintable(QString::number(contrast::ratio(a, b))));
}

void WindowColoursTest::readableOnReachesAA_data() {
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QColor>("background");
    QTest::addColumn<bool>("kept");
    QTest::newRow("blue on light grey") << QColor(0, 0, 255) << QColor(239, 239, 239) << true;
    QTest::newRow("blue on dark grey") << QColor(0, 0, 255) << QColor(53, 53, 53) << false;
    QTest::newRow("link on dark grey") << QColor(42, 130, 218) << QColor(53, 53, 53) << false;
    QTest::newRow("white on light grey") << QColor(Qt::white) << QColor(227, 227, 227) << false;
    QTest::newRow("grey on mid grey") << QColor(128, 128, 128) << QColor(118, 118, 118) << false;
    QTest::newRow("yellow on white") << QColor(255, 255, 0) << QColor(Qt::white) << false;
}

void WindowColoursTest::readableOnReachesAA() {
    QFETCH(QColor, colour);
    QFETCH(QColor, background);
    QFETCH(bool, kept);
    const QColor readable = contrast::readableOn(colour, background);
    QVERIFY(contrast::ratio(readable, background) >= contrast::kMinimumRatio);
    QCOMPARE(readable == colour, kept);
}

void WindowColoursTest::mainWindowTextsRead_data() {
    QTest::addColumn<bool>("dark");
    QTest::addColumn<QString>("name");
    for (const bool dark : {false, true})
        for (const QString& name : kMainWindowTexts)
            QTest::addRow("%s %s", dark ? "dark" : "default", qPrintable(name)) << dark << name;
}

void WindowColoursTest::mainWindowTextsRead() {
    QFETCH(bool, dark);
    QFETCH(QString, name);
    if (dark)
        QApplication::setPalette(testsupport::darkFusionPalette());
    TestedMainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* control = window.findChild<QWidget*>(name);
    QVERIFY(control);
    const auto painted = testsupport::paintedText(control, testsupport::textRegion(control));
    QVERIFY2(painted.ratio >= contrast::kMinimumRatio, qPrintable(describe(painted)));
    // Links stay links: painted in the link colour, not as plain text.
    if (qobject_cast<ClickableLabel*>(control) != nullptr) {
        const QColor link = colours::linkText(window.palette());
        const QColor plain = window.palette().color(QPalette::WindowText);
        // Edge pixels are blended with the background, so "nearer the link colour".
        QVERIFY2(contrast::ratio(painted.text, link) < contrast::ratio(painted.text, plain),
                 qPrintable(describe(painted)));
    }
}

void WindowColoursTest::disclaimerTextsRead_data() {
    QTest::addColumn<bool>("dark");
    QTest::addColumn<QString>("name");
    for (const bool dark : {false, true})
        for (const char* name : {"Label2", "Label3"})
            QTest::addRow("%s %s", dark ? "dark" : "default", name) << dark << QString(name);
}

void WindowColoursTest::disclaimerTextsRead() {
    QFETCH(bool, dark);
    QFETCH(QString, name);
    if (dark)
        QApplication::setPalette(testsupport::darkFusionPalette());
    frmDisclaimer dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* label = dialog.findChild<QLabel*>(name);
    QVERIFY(label);
    const auto painted = testsupport::paintedText(label, testsupport::textRegion(label));
    QVERIFY2(painted.ratio >= contrast::kMinimumRatio, qPrintable(describe(painted)));
}

void WindowColoursTest::defaultLookKeepsTheDesignedColours() {
    TestedMainWindow window;
    for (const char* name : {"lblInstrictions", "cmdPrint", "cmdlblSave"})
        QCOMPARE(window.findChild<QLabel*>(name)->palette().color(QPalette::WindowText),
                 QColor(0, 0, 255));
    for (const QGroupBox* group : window.findChildren<QGroupBox*>())
        QCOMPARE(group->styleSheet(),
                 QStringLiteral("QGroupBox::title { color: rgb(0, 0, 255); }"));
    QCOMPARE(window.txtTargetMOD->palette().color(QPalette::Base), QColor(227, 227, 227));
    QCOMPARE(window.txtTargetMOD->palette().color(QPalette::Text),
             window.palette().color(QPalette::Text));
    QCOMPARE(window.txtTargetPSI->palette().color(QPalette::Base),
             window.palette().color(QPalette::Base));
    frmDisclaimer dialog;
    QCOMPARE(dialog.findChild<QLabel*>("Label2")->palette().color(QPalette::WindowText),
             QColor(192, 0, 0));
    QCOMPARE(dialog.findChild<QLabel*>("Label3")->palette().color(QPalette::WindowText),
             QColor(0, 0, 255));
}

// A theme switched while the windows are open.
void WindowColoursTest::coloursFollowAPaletteChange() {
    TestedMainWindow window;
    frmDisclaimer dialog;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QApplication::setPalette(testsupport::darkFusionPalette());
    QCoreApplication::processEvents();
    const QColor darkBase = window.txtTargetMOD->palette().color(QPalette::Base);
    QVERIFY(contrast::ratio(darkBase, Qt::white) >= contrast::kMinimumRatio);
    for (QWidget* control :
         {static_cast<QWidget*>(window.txtTargetMOD), static_cast<QWidget*>(window.cmdlblSave),
          window.findChild<QWidget*>("frmRequired")}) {
        const auto painted = testsupport::paintedText(control, testsupport::textRegion(control));
        QVERIFY2(painted.ratio >= contrast::kMinimumRatio,
                 qPrintable(control->objectName() + ": " + describe(painted)));
    }
    for (const char* name : {"Label2", "Label3"}) {
        const QColor text = dialog.findChild<QLabel*>(name)->palette().color(QPalette::WindowText);
        QVERIFY(contrast::ratio(text, dialog.palette().color(QPalette::Window)) >=
                contrast::kMinimumRatio);
    }
    // Links stay links: the palette's link colour, not plain text.
    const QColor link = window.cmdlblSave->palette().color(QPalette::WindowText);
    QVERIFY(link != window.palette().color(QPalette::WindowText));
    QCOMPARE(testsupport::paintedText(window.cmdlblSave, testsupport::textRegion(window.cmdlblSave))
                 .text,
             link);
    // Repolishing the groups for the new caption colour leaves the fonts as designed.
    QVERIFY(!window.lstBlendingInstructions->font().bold());
    QVERIFY(!window.txtTargetMOD->font().bold());
    QApplication::setPalette(defaultPalette);
    QCoreApplication::processEvents();
    QCOMPARE(window.txtTargetMOD->palette().color(QPalette::Base), QColor(227, 227, 227));
    QCOMPARE(window.cmdlblSave->palette().color(QPalette::WindowText), QColor(0, 0, 255));
}

QTEST_MAIN(WindowColoursTest)
#include "test_window_colours.moc"
