// A plan shown after an input changed is marked out of date at once (banner, and a first
// line on what is saved or printed); a unit switch redraws a plan still matching the fields.
#include "test_fields_support.h"
#include "test_support.h"
#include "tested_main_window.h"

#include <QtTest/QtTest>

class StalePlanTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestedMainWindow> w = nullptr;
    QAction* item(const char* name) { return testsupport::child<QAction>(*w, name); }
    bool marked() { return testsupport::child<QLabel>(*w, "lblStalePlan")->isVisible(); }
    QStringList lines() { return w->lstBlendingInstructions->allLines(); }
    void type(const char* field, const QString& text) {
        QVERIFY(fieldtest::enterText(w.get(), testsupport::child<QLineEdit>(*w, field), text));
    }

  private slots:
    void init() {
        w = fieldtest::openMainWindow();
        item("mnuRealGas")->trigger(); // its report reads gauges: "until the gauge reads ..."
    }
    void cleanup() {
        w->mnuPsiAndFeet->trigger();
        item("mnuIdealGas")->trigger();
    }

    // Nitrox 32 from air in PSI; then a change, a switch to bar and back to Help.
    void changesMarkThePlan_data() {
        QTest::addColumn<QString>("field"); // typed into; empty: the ideal gas model chosen
        QTest::addColumn<bool>("outOfDate");
        for (const char* field : {"txtSourcePSI", "txtTargetO2", "txtTopO2", ""})
            QTest::newRow(*field ? field : "gas model") << QString(field) << true;
        QTest::newRow("depth: no plan is made from it") << "txtTargetDepth" << false;
    }
    void changesMarkThePlan() {
        QFETCH(QString, field);
        QFETCH(bool, outOfDate);
        for (const auto& [input, text] : {std::pair{"txtSourcePSI", "500"},
                                          {"txtSourceO2", "21"},
                                          {"txtTargetPSI", "3000"},
                                          {"txtTargetO2", "32"}})
            type(input, QString::fromLatin1(text));
        fieldtest::click(w->cmdCalc);
        const QStringList plan = lines();
        QVERIFY(!marked() && !plan.filter(QStringLiteral("gauge reads")).isEmpty());
        if (field.isEmpty())
            item("mnuIdealGas")->trigger();
        else
            type(field.toLatin1().constData(), QStringLiteral("30"));
        QCOMPARE(marked(), outOfDate);
        QCOMPARE(lines(), plan);
        const QString notice = QStringLiteral("This plan no longer matches the fields");
        QCOMPARE(w->lstBlendingInstructions->outputLines().first().startsWith(notice), outOfDate);
        // A current plan is redrawn in bar; an out-of-date one is kept, marked.
        w->mnuBarAndMetres->trigger();
        QCOMPARE(lines().filter(QStringLiteral("PSI")).isEmpty(), !outOfDate);
        QCOMPARE(lines().filter(QStringLiteral(" bar")).isEmpty(), outOfDate);
        QCOMPARE(marked(), outOfDate);
        fieldtest::click(w->lblInstrictions); // help is not a plan: nothing to mark
        QVERIFY(!marked());
    }
};

QTEST_MAIN(StalePlanTest)
#include "test_stale_plan.moc"
