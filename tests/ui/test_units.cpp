// The Units menu: switching the open window between PSI and feet and bar and metres, the
// figures converted and checked against the new ranges, metric blends, the PSI window
// unchanged after switching there and back, and the choice remembered for the next start.
#include "test_fields_support.h"
#include "test_support.h"
#include "tested_main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QtTest/QtTest>

#include <memory>

using fieldtest::enterText;
using fieldtest::ModalCloser;
using fieldtest::pressKey;
using quillan::UnitSystem;

namespace {

const QString kSeparator(109, QLatin1Char('-'));

QSettings calculatorSettings() {
    return QSettings(QStringLiteral("Quillan"), QStringLiteral("Quillan1"));
}

// Every caption and field text of the window, by object name, and the list's lines.
QStringList windowTexts(const TestedMainWindow& w) {
    QStringList texts;
    for (const QLabel* label : w.findChildren<QLabel*>())
        texts << label->objectName() + QLatin1Char('=') + label->text();
    for (const QLineEdit* field : w.findChildren<QLineEdit*>())
        texts << field->objectName() + QLatin1Char('=') + field->text();
    return texts + testsupport::listLines(w.lstBlendingInstructions);
}

QStringList captions(const TestedMainWindow& w) {
    return {w.lblLabel->text(), w.Label5->text(), w.Label11->text()};
}

QStringList depthFigures(const TestedMainWindow& w) {
    return {w.txtTargetDepth->text(), w.txtTargetMOD->text(), w.txtTargetEND->text(),
            w.txtTargetPO2->text()};
}

// Required mix of O2 32 at the depth given, the figures refreshed as the window does.
void setRequiredMix(TestedMainWindow& w, const QString& pressure, const QString& depth) {
    w.txtTargetPSI->setText(pressure);
    w.txtTargetO2->setText(QStringLiteral("32"));
    w.txtTargetN->setText(QStringLiteral("68"));
    w.txtTargetDepth->setText(depth);
    w.ShowMixAtDepth();
}

} // namespace

class UnitsTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QVERIFY(testsupport::registerComponentLibrary());
        testsupport::setReportClock(QDateTime(QDate(2026, 12, 6), QTime(5, 18)));
        // The settings are the test's own, not the user's.
        const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
        QVERIFY(!config.isEmpty());
        QVERIFY2(calculatorSettings().fileName().startsWith(config),
                 qPrintable(calculatorSettings().fileName()));
    }
    void init() { calculatorSettings().clear(); }

    void menuStartsAtPsiAndFeet() {
        TestedMainWindow w;
        QCOMPARE(w.mnuOptions->title(), QStringLiteral("&Options"));
        // The Units submenu comes first in Options, before the gas model.
        QCOMPARE(w.mnuOptions->actions().value(0), w.mnuUnits->menuAction());
        QCOMPARE(w.mnuUnits->title(), QStringLiteral("&Units"));
        QCOMPARE(w.mnuUnits->actions(), (QList<QAction*>{w.mnuPsiAndFeet, w.mnuBarAndMetres}));
        QCOMPARE(w.mnuPsiAndFeet->text(), QStringLiteral("&PSI and feet"));
        QCOMPARE(w.mnuBarAndMetres->text(), QStringLiteral("&bar and metres"));
        QVERIFY(w.mnuPsiAndFeet->isChecked());
        QVERIFY(!w.mnuBarAndMetres->isChecked());
        QCOMPARE(w.Units(), UnitSystem::PsiAndFeet);
        QCOMPARE(captions(w), (QStringList{"Starting PSI", "Required PSI", "Target Depth (fsw)"}));
    }

    void switchingConvertsAndComesBackExactly() {
        TestedMainWindow w;
        w.txtSourcePSI->setText(QStringLiteral("500"));
        setRequiredMix(w, QStringLiteral("3000"), QStringLiteral("132"));
        QCOMPARE(depthFigures(w), (QStringList{"132", "132", "109", "1.60"}));

        w.mnuBarAndMetres->trigger();
        QCOMPARE(w.Units(), UnitSystem::BarAndMetres);
        QVERIFY(w.mnuBarAndMetres->isChecked());
        QVERIFY(!w.mnuPsiAndFeet->isChecked());
        QCOMPARE(captions(w), (QStringList{"Starting bar", "Required bar", "Target Depth (m)"}));
        QCOMPARE(w.txtSourcePSI->text(), QStringLiteral("34"));  // 34.47
        QCOMPARE(w.txtTargetPSI->text(), QStringLiteral("207")); // 206.84
        QCOMPARE(depthFigures(w), (QStringList{"40", "40", "33", "1.60"}));

        // Untouched figures return to what they were, not 493 and 3002.
        w.mnuPsiAndFeet->trigger();
        QCOMPARE(captions(w), (QStringList{"Starting PSI", "Required PSI", "Target Depth (fsw)"}));
        QCOMPARE(w.txtSourcePSI->text(), QStringLiteral("500"));
        QCOMPARE(w.txtTargetPSI->text(), QStringLiteral("3000"));
        QCOMPARE(depthFigures(w), (QStringList{"132", "132", "109", "1.60"}));

        // Choosing the units already shown changes nothing.
        w.mnuPsiAndFeet->trigger();
        QCOMPARE(w.txtTargetPSI->text(), QStringLiteral("3000"));
    }

    void figuresAreRoundedAndHeldInTheNewRange_data() {
        QTest::addColumn<bool>("toMetric");
        QTest::addColumn<QStringList>("before"); // starting, required, depth
        QTest::addColumn<QStringList>("after");
        QTest::newRow("PSI upper bounds")
            << true << QStringList{"4000", "4500", "500"} << QStringList{"275", "310", "152"};
        QTest::newRow("zeros") << true << QStringList{"0", "0", "0"} << QStringList{"0", "0", "0"};
        QTest::newRow("fractions round to even")
            << true << QStringList{"2.5", "3000", "16.5"} << QStringList{"0", "207", "5"};
        QTest::newRow("not numbers stay")
            << true << QStringList{"", "abc", "1e999"} << QStringList{"", "abc", "1e999"};
        QTest::newRow("negative held at 0")
            << true << QStringList{"-20", "-1", "-5"} << QStringList{"0", "0", "0"};
        QTest::newRow("bar upper bounds")
            << false << QStringList{"275", "310", "152"} << QStringList{"3989", "4496", "500"};
        QTest::newRow("typed in bar")
            << false << QStringList{"200", "232", "40"} << QStringList{"2901", "3365", "132"};
    }

    // Figures typed (not converted) in the units switched from are converted afresh.
    void figuresAreRoundedAndHeldInTheNewRange() {
        QFETCH(bool, toMetric);
        QFETCH(QStringList, before);
        QFETCH(QStringList, after);
        TestedMainWindow w;
        if (!toMetric)
            w.mnuBarAndMetres->trigger();
        const QList<QLineEdit*> fields{w.txtSourcePSI, w.txtTargetPSI, w.txtTargetDepth};
        for (int i = 0; i < fields.size(); ++i)
            fields[i]->setText(before[i]);
        (toMetric ? w.mnuBarAndMetres : w.mnuPsiAndFeet)->trigger();
        QStringList converted;
        for (const QLineEdit* field : fields)
            converted << field->text();
        QCOMPARE(converted, after);
    }

    void metricRanges_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("upper");
        QTest::newRow("starting pressure") << "txtSourcePSI" << 275;
        QTest::newRow("required pressure") << "txtTargetPSI" << 310;
        QTest::newRow("target depth") << "txtTargetDepth" << 152;
    }

    // One above the bound is refused with the bounds in bar or metres; the bound is taken.
    void metricRanges() {
        QFETCH(QString, field);
        QFETCH(int, upper);
        auto w = fieldtest::openMainWindow();
        w->mnuBarAndMetres->trigger();
        auto* edit = w->findChild<QLineEdit*>(field);
        QVERIFY(enterText(w.get(), edit, QString::number(upper + 1)));
        {
            ModalCloser closer;
            pressKey(w.get(), Qt::Key_Tab);
            QCOMPARE(
                closer.texts(),
                QStringList{
                    QStringLiteral("Input value must be an integer between 0 and %1.").arg(upper)});
        }
        QTRY_COMPARE(QApplication::focusWidget(), edit);
        QVERIFY(enterText(w.get(), edit, QString::number(upper)));
        ModalCloser closer;
        pressKey(w.get(), Qt::Key_Tab);
        QVERIFY(closer.seen.isEmpty());
        QCOMPARE(edit->text(), QString::number(upper));
    }

    void metricBlendAndDepthFigures() {
        TestedMainWindow w;
        w.mnuBarAndMetres->trigger();
        setRequiredMix(w, QStringLiteral("200"), QStringLiteral("0"));
        w.cmdCalc->click();
        QCOMPARE(testsupport::listLines(w.lstBlendingInstructions),
                 (QStringList{
                     "Mix Calculation 06-Dec-2026  05:18 AM",
                     "Calculate [Empty cylinder] to Nitrox 32 by adding He, O2 and Air", kSeparator,
                     "Mixing", kSeparator, "Starting [Empty cylinder] bar should be 0",
                     "Add 28 bar of O2", "Add 172 bar of Air", "Ending bar should be 200", "",
                     "Final Mix: Nitrox 32", kSeparator, "MOD 40 m", "PO2 1.60", "END 33 m"}));
        QCOMPARE(depthFigures(w), (QStringList{"40", "40", "33", "1.60"}));

        // Trimix 21/35 at 30 m, typed into the depth field.
        setRequiredMix(w, QStringLiteral("200"), QStringLiteral("30"));
        w.txtTargetO2->setText(QStringLiteral("21"));
        w.txtTargetN->setText(QStringLiteral("44"));
        w.ShowMixAtDepth();
        QCOMPARE(depthFigures(w), (QStringList{"30", "66", "12", "0.84"}));
    }

    // A window switched to metric and back shows, computes and reports exactly as one that
    // never left PSI and feet.
    void psiWindowUnchangedAfterSwitching() {
        TestedMainWindow never, switched;
        switched.mnuBarAndMetres->trigger();
        switched.mnuPsiAndFeet->trigger();
        QCOMPARE(windowTexts(switched), windowTexts(never));
        for (TestedMainWindow* w : {&never, &switched}) {
            w->txtSourcePSI->setText(QStringLiteral("500"));
            w->txtSourceO2->setText(QStringLiteral("21"));
            w->txtSourceHe->setText(QStringLiteral("35"));
            w->txtSourceN->setText(QStringLiteral("44"));
            setRequiredMix(*w, QStringLiteral("3000"), QStringLiteral("100"));
            w->txtTargetO2->setText(QStringLiteral("21"));
            w->txtTargetHe->setText(QStringLiteral("35"));
            w->txtTargetN->setText(QStringLiteral("44"));
            w->txtTopO2->setText(QStringLiteral("32"));
            w->cmdCalc->click();
        }
        QCOMPARE(windowTexts(switched), windowTexts(never));
        QCOMPARE(testsupport::listLines(never.lstBlendingInstructions).last(),
                 QStringLiteral("END 107 fsw"));
        for (TestedMainWindow* w : {&never, &switched})
            w->cmdTopWithAir->click();
        QCOMPARE(windowTexts(switched), windowTexts(never));
    }

    void choiceSurvivesARestart() {
        {
            TestedMainWindow first;
            first.mnuBarAndMetres->trigger();
        }
        QCOMPARE(calculatorSettings().value(QStringLiteral("display/units")).toString(),
                 QStringLiteral("metric"));
        {
            TestedMainWindow second;
            QCOMPARE(second.Units(), UnitSystem::BarAndMetres);
            QVERIFY(second.mnuBarAndMetres->isChecked());
            QCOMPARE(captions(second),
                     (QStringList{"Starting bar", "Required bar", "Target Depth (m)"}));
            QCOMPARE(second.txtTargetPSI->text(), QStringLiteral("0"));
            second.mnuPsiAndFeet->trigger();
        }
        QCOMPARE(calculatorSettings().value(QStringLiteral("display/units")).toString(),
                 QStringLiteral("imperial"));
        TestedMainWindow third;
        QCOMPARE(third.Units(), UnitSystem::PsiAndFeet);
    }

    void unknownSavedUnitsMeanPsiAndFeet() {
        calculatorSettings().setValue(QStringLiteral("display/units"), QStringLiteral("Metric"));
        TestedMainWindow w;
        QCOMPARE(w.Units(), UnitSystem::PsiAndFeet);
        QVERIFY(w.mnuPsiAndFeet->isChecked());
    }
};

QTEST_MAIN(UnitsTest)
#include "test_units.moc"
