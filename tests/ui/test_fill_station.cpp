// The fill station in the window: the cylinder chosen in the starting mix adds the gas used
// to the Calculate report, the prices and the choice are remembered, and the banks dialog
// plans the window's problem from the banks.
#include "test_support.h"
#include "tested_main_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QSpinBox>
#include <QtTest/QtTest>

#include <functional>

using testsupport::child;

namespace {

// Trimix 21/35 from empty, to 3000 psi or 200 bar.
void typeTrimix(const TestedMainWindow& form) {
    form.txtTargetPSI->setText(form.Units() == quillan::UnitSystem::BarAndMetres
                                   ? QStringLiteral("200")
                                   : QStringLiteral("3000"));
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

quillan::UnitSystem unitsOf(bool metric) {
    return metric ? quillan::UnitSystem::BarAndMetres : quillan::UnitSystem::PsiAndFeet;
}

// The lines of the plan that say which bank (or what) each step is filled from.
QStringList stepLines(const QStringList& plan) {
    return plan.filter(QRegularExpression(QStringLiteral("^(He|O2|top-up): |^Choose ")));
}

// The banks an earlier row left, removed as the user would.
void removeAllBanks(QWidget& dialog) {
    auto* banks = child<QListWidget>(dialog, "lstBanks");
    while (banks->count() > 0) {
        banks->setCurrentRow(0);
        child<QPushButton>(dialog, "cmdRemoveBank")->click();
    }
}

// Opens Tools > Banks in `form` and hands the dialog to `use` before closing it.
void inBanksDialog(const TestedMainWindow& form, const std::function<void(QWidget&)>& use) {
    QVERIFY(testsupport::respondToNextModal([&] { item(form, "mnuBanks")->trigger(); },
                                            [&](QWidget* dialog) {
                                                use(*dialog);
                                                qobject_cast<QDialog*>(dialog)->reject();
                                            }));
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
        QTest::addColumn<bool>("leastDrain");
        QTest::newRow("per cubic foot in psi, least drain")
            << false << QStringLiteral("AL80") << QList<double>{2.5, 0.75, 0.1, 5.0}
            << QStringLiteral("USD") << true;
        QTest::newRow("per litre in bar, classic plan")
            << true << QStringLiteral("12L@232") << QList<double>{0.09, 0.02, 0.0035, 4.5}
            << QStringLiteral("EUR") << false;
    }

    void pricesAndCylinderSurviveARestart() {
        QFETCH(bool, metric);
        QFETCH(QString, cylinder);
        QFETCH(QList<double>, prices);
        QFETCH(QString, currency);
        QFETCH(bool, leastDrain);
        const char* fields[] = {"spnHeliumPrice", "spnOxygenPrice", "spnTopUpPrice", "spnFillFee"};
        const auto units = unitsOf(metric);
        {
            TestedMainWindow form;
            form.SetUnits(units);
            choose(form, cylinder);
            item(form, "mnuLeastDrain")->setChecked(leastDrain);
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
        QCOMPARE(item(restarted, "mnuLeastDrain")->isChecked(), leastDrain);
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

    void ownCylinderIsAddedAndRemembered_data() {
        QTest::addColumn<bool>("metric");
        QTest::addColumn<double>("litres");
        QTest::addColumn<int>("pressure");
        QTest::addColumn<bool>("twin");
        QTest::addColumn<QString>("line"); // the report's cylinder line after a restart
        QTest::newRow("a twin counts both cylinders")
            << true << 12.0 << 232 << true
            << QStringLiteral("Cylinder 2x12L@232: 24.0 L of water, working pressure 232 bar");
        QTest::newRow("a psi working pressure is kept")
            << false << 11.1 << 3000 << false
            << QStringLiteral("Cylinder 11.1L@207: 11.1 L of water, working pressure 3000 PSI");
    }

    void ownCylinderIsAddedAndRemembered() {
        QFETCH(bool, metric);
        QFETCH(double, litres);
        QFETCH(int, pressure);
        QFETCH(bool, twin);
        QFETCH(QString, line);
        {
            TestedMainWindow form;
            form.SetUnits(unitsOf(metric));
            QVERIFY(testsupport::respondToNextModal(
                [&] { choose(form, QStringLiteral("Add cylinder...")); },
                [&](QWidget* dialog) {
                    child<QDoubleSpinBox>(*dialog, "spnCylinderLitres")->setValue(litres);
                    child<QSpinBox>(*dialog, "spnCylinderPressure")->setValue(pressure);
                    child<QCheckBox>(*dialog, "chkCylinderTwin")->setChecked(twin);
                    qobject_cast<QDialog*>(dialog)->accept();
                }));
        }
        TestedMainWindow restarted;
        restarted.SetUnits(unitsOf(metric));
        typeTrimix(restarted);
        const QStringList lines = calculated(restarted);
        QCOMPARE(lines.filter(QRegularExpression(QStringLiteral("^Cylinder "))), QStringList{line});
    }

    void aNameInTheListIsRefused_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("a standard cylinder's name") << QStringLiteral("AL80") << false;
        QTest::newRow("the name the library gives these figures") << QString() << false;
        QTest::newRow("a name of the user's") << QStringLiteral("Shop twin 12") << true;
    }

    void aNameInTheListIsRefused() {
        QFETCH(QString, name);
        QFETCH(bool, accepted);
        TestedMainWindow form;
        form.SetUnits(quillan::UnitSystem::BarAndMetres);
        bool okEnabled = !accepted;
        QVERIFY(testsupport::respondToNextModal(
            [&] { choose(form, QStringLiteral("Add cylinder...")); },
            [&](QWidget* dialog) {
                // 12 L at 232 bar: the library's "12L@232" when no name is given.
                child<QLineEdit>(*dialog, "txtCylinderName")->setText(name);
                okEnabled = child<QDialogButtonBox>(*dialog, "btnCylinder")
                                ->button(QDialogButtonBox::Ok)
                                ->isEnabled();
                qobject_cast<QDialog*>(dialog)->reject();
            }));
        QCOMPARE(okEnabled, accepted);
    }

    void banksDialogPlansFromTheBanks_data() {
        QTest::addColumn<QString>("cylinder");
        QTest::addColumn<QList<int>>("roles"); // the banks added: 0 helium, 1 oxygen
        QTest::addColumn<bool>("oxygenFirst");
        QTest::addColumn<QString>("first"); // the start of the first step's line
        QTest::newRow("a helium bank is opened for the helium")
            << QStringLiteral("AL80") << QList<int>{0} << false
            << QStringLiteral("He: open bank 1 until the gauge reads ");
        QTest::newRow("oxygen first opens the oxygen bank first")
            << QStringLiteral("AL80") << QList<int>{0, 1} << true
            << QStringLiteral("O2: open bank 2 until the gauge reads ");
        QTest::newRow("without a cylinder it says one is needed")
            << QStringLiteral("(none)") << QList<int>{0} << false
            << QStringLiteral("Choose the cylinder being filled");
    }

    void banksDialogPlansFromTheBanks() {
        QFETCH(QString, cylinder);
        QFETCH(QList<int>, roles);
        QFETCH(bool, oxygenFirst);
        QFETCH(QString, first);
        TestedMainWindow form;
        typeTrimix(form);
        choose(form, cylinder);
        QStringList plan;
        inBanksDialog(form, [&](QWidget& dialog) {
            removeAllBanks(dialog);
            for (const int role : roles) {
                child<QComboBox>(dialog, "cboBankRole")->setCurrentIndex(role);
                child<QPushButton>(dialog, "cmdAddBank")->click();
            }
            child<QComboBox>(dialog, "cboFillOrder")->setCurrentIndex(oxygenFirst ? 1 : 0);
            child<QPushButton>(dialog, "cmdPlanWithBanks")->click();
            plan = testsupport::listLines(child<QListWidget>(dialog, "lstBankPlan"));
        });
        const QStringList steps = stepLines(plan);
        QVERIFY2(!steps.isEmpty() && steps.first().startsWith(first),
                 qPrintable(plan.join(QLatin1Char('\n'))));
    }

    void banksSurviveARestart_data() {
        QTest::addColumn<bool>("metric");
        QTest::addColumn<int>("pressure");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<bool>("booster");
        QTest::addColumn<QString>("shown"); // the bank as the list shows it
        QTest::newRow("bar, a booster, oxygen first")
            << true << 180 << 20 << true << QStringLiteral("1. He 0/100, 50.0 L at 180 bar");
        QTest::newRow("psi, no booster, helium first")
            << false << 2400 << 300 << false << QStringLiteral("1. He 0/100, 50.0 L at 2400 PSI");
    }

    void banksSurviveARestart() {
        QFETCH(bool, metric);
        QFETCH(int, pressure);
        QFETCH(int, minimum);
        QFETCH(bool, booster);
        QFETCH(QString, shown);
        {
            TestedMainWindow form;
            form.SetUnits(unitsOf(metric));
            inBanksDialog(form, [&](QWidget& dialog) {
                removeAllBanks(dialog);
                child<QComboBox>(dialog, "cboBankRole")->setCurrentIndex(0);
                child<QSpinBox>(dialog, "spnBankPressure")->setValue(pressure);
                child<QPushButton>(dialog, "cmdAddBank")->click();
                child<QSpinBox>(dialog, "spnMinimumBank")->setValue(minimum);
                child<QCheckBox>(dialog, "chkBooster")->setChecked(booster);
                child<QComboBox>(dialog, "cboFillOrder")->setCurrentIndex(booster ? 1 : 0);
            });
        }
        TestedMainWindow restarted;
        restarted.SetUnits(unitsOf(metric));
        inBanksDialog(restarted, [&](QWidget& dialog) {
            QCOMPARE(testsupport::listLines(child<QListWidget>(dialog, "lstBanks")),
                     QStringList{shown});
            QCOMPARE(child<QSpinBox>(dialog, "spnMinimumBank")->value(), minimum);
            QCOMPARE(child<QCheckBox>(dialog, "chkBooster")->isChecked(), booster);
            QCOMPARE(child<QComboBox>(dialog, "cboFillOrder")->currentIndex(), booster ? 1 : 0);
        });
    }
};

QTEST_MAIN(FillStationTest)
#include "test_fill_station.moc"
