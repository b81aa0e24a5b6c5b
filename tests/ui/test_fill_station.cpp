// The fill station in the window: the cylinder chosen in the starting mix adds the gas used
// to the Calculate report, the prices and the choice are remembered, and the banks dialog
// plans the window's problem from the banks.
#include "test_support.h"
#include "tested_main_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QSpinBox>
#include <QtTest/QtTest>

using testsupport::child;

namespace {

// 3000 psi of Trimix 21/35 from empty.
void typeTrimix(const TestedMainWindow& form) {
    form.txtTargetPSI->setText(QStringLiteral("3000"));
    form.txtTargetO2->setText(QStringLiteral("21"));
    form.txtTargetHe->setText(QStringLiteral("35"));
    form.txtTargetN->setText(QStringLiteral("44"));
}

void choose(const TestedMainWindow& form, const QString& cylinder) {
    auto* box = form.named<QComboBox>("cboCylinder");
    const int index = box->findText(cylinder);
    QVERIFY2(index >= 0, qPrintable(cylinder));
    box->setCurrentIndex(index);
    emit box->activated(index);
}

QStringList calculated(const TestedMainWindow& form) {
    form.cmdCalc->click();
    return testsupport::listLines(form.lstBlendingInstructions);
}

QAction* item(const TestedMainWindow& form, const char* name) {
    return child<QAction>(form, name);
}

} // namespace

class FillStationTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QVERIFY(testsupport::registerComponentLibrary());
        testsupport::setReportClock(QDateTime(QDate(2026, 12, 6), QTime(5, 18)));
    }

    void cylinderFollowsTheReport_data() {
        QTest::addColumn<QStringList>("choices");
        QTest::addColumn<QString>("added"); // the first line after the plain report; none
        QTest::newRow("a standard cylinder adds the gas used")
            << QStringList{"AL80"} << QStringLiteral("Cylinder AL80: ");
        QTest::newRow("back to (none) leaves the report as it was")
            << QStringList{"AL80", "(none)"} << QString();
    }

    void cylinderFollowsTheReport() {
        QFETCH(QStringList, choices);
        QFETCH(QString, added);
        TestedMainWindow form;
        typeTrimix(form);
        choose(form, QStringLiteral("(none)")); // an earlier row's choice is remembered
        const QStringList plain = calculated(form);
        for (const QString& cylinder : choices)
            choose(form, cylinder);
        const QStringList lines = calculated(form);
        if (added.isEmpty()) {
            QCOMPARE(lines, plain);
            return;
        }
        QCOMPARE(lines.mid(0, plain.size()), plain);
        const QStringList sheet = lines.mid(plain.size()).filter(QStringLiteral("Cylinder "));
        QVERIFY2(!sheet.isEmpty() && sheet.first().startsWith(added), qPrintable(lines.join('\n')));
    }

    void pricesAndCylinderSurviveARestart_data() {
        QTest::addColumn<bool>("metric");
        QTest::addColumn<QString>("cylinder");
        QTest::addColumn<QList<double>>("prices"); // helium, oxygen, top-up, fee
        QTest::addColumn<QString>("currency");
        QTest::newRow("per cubic foot in psi")
            << false << QStringLiteral("AL80") << QList<double>{2.5, 0.75, 0.1, 5.0}
            << QStringLiteral("USD");
        QTest::newRow("per litre in bar")
            << true << QStringLiteral("12L@232") << QList<double>{0.09, 0.02, 0.0035, 4.5}
            << QStringLiteral("EUR");
    }

    void pricesAndCylinderSurviveARestart() {
        QFETCH(bool, metric);
        QFETCH(QString, cylinder);
        QFETCH(QList<double>, prices);
        QFETCH(QString, currency);
        const char* fields[] = {"spnHeliumPrice", "spnOxygenPrice", "spnTopUpPrice", "spnFillFee"};
        const auto units =
            metric ? quillan::UnitSystem::BarAndMetres : quillan::UnitSystem::PsiAndFeet;
        {
            TestedMainWindow form;
            form.SetUnits(units);
            choose(form, cylinder);
            QVERIFY(testsupport::respondToNextModal(
                [&] { item(form, "mnuPrices")->trigger(); },
                [&](QWidget* dialog) {
                    for (int i = 0; i < 4; ++i)
                        child<QDoubleSpinBox>(*dialog, fields[i])->setValue(prices[i]);
                    child<QLineEdit>(*dialog, "txtCurrency")->setText(currency);
                    qobject_cast<QDialog*>(dialog)->accept();
                }));
        }
        TestedMainWindow restarted;
        restarted.SetUnits(units);
        QCOMPARE(restarted.named<QComboBox>("cboCylinder")->currentText(), cylinder);
        QList<double> seen;
        QString seenCurrency;
        QVERIFY(testsupport::respondToNextModal(
            [&] { item(restarted, "mnuPrices")->trigger(); },
            [&](QWidget* dialog) {
                for (const char* field : fields)
                    seen << child<QDoubleSpinBox>(*dialog, field)->value();
                seenCurrency = child<QLineEdit>(*dialog, "txtCurrency")->text();
                qobject_cast<QDialog*>(dialog)->reject();
            }));
        QCOMPARE(seen, prices);
        QCOMPARE(seenCurrency, currency);
    }

    void banksDialogPlansFromTheBanks_data() {
        QTest::addColumn<QString>("cylinder");
        QTest::addColumn<QString>("expected"); // the start of a line of the plan
        QTest::newRow("a helium bank is opened for the helium")
            << QStringLiteral("AL80") << QStringLiteral("He: open bank 1 until the gauge reads ");
        QTest::newRow("without a cylinder it says one is needed")
            << QStringLiteral("(none)") << QStringLiteral("Choose the cylinder being filled");
    }

    void banksDialogPlansFromTheBanks() {
        QFETCH(QString, cylinder);
        QFETCH(QString, expected);
        TestedMainWindow form;
        typeTrimix(form);
        choose(form, cylinder);
        QStringList plan;
        QVERIFY(testsupport::respondToNextModal(
            [&] { item(form, "mnuBanks")->trigger(); },
            [&](QWidget* dialog) {
                QCOMPARE(dialog->objectName(), QStringLiteral("dlgBanks"));
                child<QComboBox>(*dialog, "cboBankRole")->setCurrentIndex(0); // helium
                child<QPushButton>(*dialog, "cmdAddBank")->click();
                child<QPushButton>(*dialog, "cmdPlanWithBanks")->click();
                plan = testsupport::listLines(child<QListWidget>(*dialog, "lstBankPlan"));
                qobject_cast<QDialog*>(dialog)->reject();
            }));
        QVERIFY2(!plan.filter(QRegularExpression(QLatin1Char('^') +
                                                 QRegularExpression::escape(expected)))
                      .isEmpty(),
                 qPrintable(plan.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(FillStationTest)
#include "test_fill_station.moc"
