// A plan shown after an input changed: marked out of date at once (banner, and a first
// line on what is saved or printed), never silently current; a unit switch redraws a plan
// that still matches the fields in the new units.
#include "test_fields_support.h"
#include "test_support.h"
#include "tested_main_window.h"

#include <QtTest/QtTest>

#include <memory>

using fieldtest::enterText;

namespace {

enum class Change { TypedSourcePSI, TypedTargetO2, TypedTopUpO2, GasModel, TypedDepth, Help };

QAction* item(const TestedMainWindow& w, const char* name) {
    return testsupport::child<QAction>(w, name);
}

QLabel* banner(const TestedMainWindow& w) {
    return testsupport::child<QLabel>(w, "lblStalePlan");
}

// Nitrox 32 from 500 PSI of air, in whichever units the window shows.
void blendNitrox32(TestedMainWindow& w, const QString& start, const QString& full) {
    for (const auto& [field, text] :
         {std::pair{w.txtSourcePSI, start}, std::pair{w.txtSourceO2, QStringLiteral("21")},
          std::pair{w.txtTargetPSI, full}, std::pair{w.txtTargetO2, QStringLiteral("32")}})
        QVERIFY(enterText(&w, field, text));
    fieldtest::click(w.cmdCalc);
}

bool mentions(const QStringList& lines, const QString& word) {
    return lines.filter(word).size() > 0;
}

} // namespace

class StalePlanTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { window = fieldtest::openMainWindow(); }
    void cleanup() {
        window->mnuPsiAndFeet->trigger();
        item(*window, "mnuIdealGas")->trigger();
        window.reset();
    }

    void changesMarkThePlan_data();
    void changesMarkThePlan();
    void unitSwitchRedrawsACurrentPlan_data();
    void unitSwitchRedrawsACurrentPlan();
    void unitSwitchKeepsAnOutOfDatePlanMarked();

  private:
    std::unique_ptr<TestedMainWindow> window;
};

void StalePlanTest::changesMarkThePlan_data() {
    QTest::addColumn<int>("change");
    QTest::addColumn<bool>("outOfDate");
    QTest::newRow("starting pressure typed") << int(Change::TypedSourcePSI) << true;
    QTest::newRow("required O2 typed") << int(Change::TypedTargetO2) << true;
    QTest::newRow("top-up O2 typed") << int(Change::TypedTopUpO2) << true;
    QTest::newRow("gas model switched") << int(Change::GasModel) << true;
    QTest::newRow("target depth typed: no plan is made from it")
        << int(Change::TypedDepth) << false;
    QTest::newRow("help shown: not a plan") << int(Change::Help) << false;
}

void StalePlanTest::changesMarkThePlan() {
    QFETCH(int, change);
    QFETCH(bool, outOfDate);
    TestedMainWindow& w = *window;
    blendNitrox32(w, QStringLiteral("500"), QStringLiteral("3000"));
    QVERIFY(!banner(w)->isVisible());
    const QStringList plan = w.lstBlendingInstructions->allLines();
    QCOMPARE(w.lstBlendingInstructions->outputLines(), plan);

    switch (Change(change)) {
    case Change::TypedSourcePSI:
        QVERIFY(enterText(&w, w.txtSourcePSI, QStringLiteral("600")));
        break;
    case Change::TypedTargetO2:
        QVERIFY(enterText(&w, w.txtTargetO2, QStringLiteral("30")));
        break;
    case Change::TypedTopUpO2:
        QVERIFY(enterText(&w, w.txtTopO2, QStringLiteral("32")));
        break;
    case Change::GasModel:
        item(w, "mnuRealGas")->trigger();
        break;
    case Change::TypedDepth:
        QVERIFY(enterText(&w, w.txtTargetDepth, QStringLiteral("100")));
        break;
    case Change::Help:
        QVERIFY(enterText(&w, w.txtSourcePSI, QStringLiteral("600")));
        fieldtest::click(w.lblInstrictions);
        break;
    }

    QCOMPARE(banner(w)->isVisible(), outOfDate);
    const QStringList output = w.lstBlendingInstructions->outputLines();
    if (Change(change) != Change::Help)
        QCOMPARE(w.lstBlendingInstructions->allLines(), plan); // the lines themselves stay
    QCOMPARE(output.first().startsWith(QStringLiteral("This plan no longer matches the fields")),
             outOfDate);
    // The banner sits above the lines, not over them.
    if (outOfDate)
        QVERIFY(w.lstBlendingInstructions->viewport()->geometry().top() >=
                banner(w)->geometry().bottom());
}

void StalePlanTest::unitSwitchRedrawsACurrentPlan_data() {
    QTest::addColumn<bool>("toMetric");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("full");
    QTest::addColumn<QString>("gone");
    QTest::addColumn<QString>("shown");
    QTest::newRow("PSI to bar") << true << "500"
                                << "3000"
                                << "PSI"
                                << " bar";
    QTest::newRow("bar to PSI") << false << "35"
                                << "207"
                                << " bar"
                                << "PSI";
}

void StalePlanTest::unitSwitchRedrawsACurrentPlan() {
    QFETCH(bool, toMetric);
    QFETCH(QString, start);
    QFETCH(QString, full);
    QFETCH(QString, gone);
    QFETCH(QString, shown);
    TestedMainWindow& w = *window;
    item(w, "mnuRealGas")->trigger(); // its report reads gauges: "until the gauge reads ..."
    (toMetric ? w.mnuPsiAndFeet : w.mnuBarAndMetres)->trigger();
    blendNitrox32(w, start, full);
    QVERIFY(mentions(w.lstBlendingInstructions->allLines(), gone));

    (toMetric ? w.mnuBarAndMetres : w.mnuPsiAndFeet)->trigger();

    const QStringList lines = w.lstBlendingInstructions->allLines();
    QVERIFY2(!mentions(lines, gone), qPrintable(lines.join(QLatin1Char('\n'))));
    QVERIFY(mentions(lines, QStringLiteral("until the gauge reads")));
    QVERIFY(mentions(lines, shown));
    QVERIFY(!banner(w)->isVisible());
}

void StalePlanTest::unitSwitchKeepsAnOutOfDatePlanMarked() {
    TestedMainWindow& w = *window;
    blendNitrox32(w, QStringLiteral("500"), QStringLiteral("3000"));
    QVERIFY(enterText(&w, w.txtSourcePSI, QStringLiteral("600")));
    const QStringList plan = w.lstBlendingInstructions->allLines();
    w.mnuBarAndMetres->trigger();
    // Redrawing would make a plan from figures the user has not calculated with.
    QCOMPARE(w.lstBlendingInstructions->allLines(), plan);
    QVERIFY(banner(w)->isVisible());
}

QTEST_MAIN(StalePlanTest)
#include "test_stale_plan.moc"
