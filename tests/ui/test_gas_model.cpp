// The gas model menu: switching it changes the required-mix report, also in bar, and the
// choice outlives the window, as it outlives a run of the program.
#include "test_support.h"
#include "tested_main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QtTest/QtTest>

#include <memory>

namespace {

const QString kStamp = QStringLiteral("Mix Calculation 06-Dec-2026  05:18 AM");

QAction* item(const TestedMainWindow& form, const char* name) {
    return form.findChild<QAction*>(QString::fromLatin1(name));
}

// An empty cylinder to 3000 PSI (or `pressure` in the window's units) of trimix 18/45 with
// air; the list's lines afterwards.
QStringList blendTrimix1845(TestedMainWindow& form,
                            const QString& pressure = QStringLiteral("3000")) {
    form.txtSourcePSI->setText(QStringLiteral("0"));
    form.txtTargetPSI->setText(pressure);
    form.txtTargetO2->setText(QStringLiteral("18"));
    form.txtTargetHe->setText(QStringLiteral("45"));
    form.txtTargetN->setText(QStringLiteral("37"));
    form.cmdCalc->click();
    return testsupport::listLines(form.lstBlendingInstructions);
}

} // namespace

class GasModelTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QVERIFY(testsupport::registerComponentLibrary());
        testsupport::setReportClock(QDateTime(QDate(2026, 12, 6), QTime(5, 18)));
        // The settings the window stores land in the test's own folder, never the user's.
        const QString settingsFile =
            QSettings(QStringLiteral("Quillan"), QStringLiteral("Quillan1")).fileName();
        QVERIFY2(settingsFile.startsWith(qEnvironmentVariable("XDG_CONFIG_HOME")),
                 qPrintable(settingsFile));
    }

    void menuOffersThreeExclusiveModelsIdealFirst() {
        TestedMainWindow form;
        const auto* options = form.findChild<QMenu*>(QStringLiteral("mnuOptions"));
        QVERIFY(options != nullptr);
        QCOMPARE(options->title(), QStringLiteral("&Options"));
        QAction* ideal = item(form, "mnuIdealGas");
        QAction* virial = item(form, "mnuVirialGas");
        QAction* real = item(form, "mnuRealGas");
        QVERIFY(ideal && virial && real);
        QCOMPARE(real->text(), QStringLiteral("&Real gas (GERG-2008)"));
        QVERIFY(ideal->actionGroup() && ideal->actionGroup() == real->actionGroup());
        QCOMPARE(virial->actionGroup(), ideal->actionGroup());
        QVERIFY(ideal->actionGroup()->isExclusive());
        QVERIFY(ideal->isChecked());
        QVERIFY(!real->isChecked() && !virial->isChecked());
    }

    void switchingChangesTheReportAndSurvivesARestart() {
        auto form = std::make_unique<TestedMainWindow>();
        const QStringList idealLines = blendTrimix1845(*form);
        QVERIFY(idealLines.contains(QStringLiteral("Add 1350 PSI of He")));

        item(*form, "mnuVirialGas")->trigger();
        const QStringList realLines = blendTrimix1845(*form);
        QVERIFY(realLines.contains(QStringLiteral("Add He until the gauge reads 1337 PSI")));
        QCOMPARE(realLines.last(),
                 QStringLiteral("Ideal-gas figures would have given O2 18.3 %, He 45.6 %"));
        QCOMPARE(QSettings(QStringLiteral("Quillan"), QStringLiteral("Quillan1"))
                     .value(QStringLiteral("blend/gasModel")),
                 QVariant(QStringLiteral("virial")));

        // A new window, as at the next start, plans with the same model from the outset.
        form = std::make_unique<TestedMainWindow>();
        QVERIFY(item(*form, "mnuVirialGas")->isChecked());
        QVERIFY(!item(*form, "mnuIdealGas")->isChecked());
        QCOMPARE(blendTrimix1845(*form), realLines);

        item(*form, "mnuIdealGas")->trigger();
        QCOMPARE(blendTrimix1845(*form), idealLines);
        form = std::make_unique<TestedMainWindow>();
        QVERIFY(item(*form, "mnuIdealGas")->isChecked());
    }

    // Real gas in bar and metres: both choices set together, both kept over a restart.
    void realGasInBarSurvivesARestart() {
        auto form = std::make_unique<TestedMainWindow>();
        form->mnuBarAndMetres->trigger();
        item(*form, "mnuVirialGas")->trigger();
        const QStringList lines = blendTrimix1845(*form, QStringLiteral("207"));
        for (const char* line :
             {"Add He until the gauge reads 92 bar", "Add O2 until the gauge reads 108 bar",
              "Add Air until the gauge reads 207 bar", "MOD 78 m"})
            QVERIFY2(lines.contains(QString::fromLatin1(line)), line);
        QCOMPARE(lines.last(),
                 QStringLiteral("Ideal-gas figures would have given O2 18.3 %, He 45.8 %"));

        form = std::make_unique<TestedMainWindow>();
        QCOMPARE(form->Units(), quillan::UnitSystem::BarAndMetres);
        QVERIFY(form->mnuBarAndMetres->isChecked());
        QVERIFY(item(*form, "mnuVirialGas")->isChecked());
        QCOMPARE(blendTrimix1845(*form, QStringLiteral("207")), lines);

        // Back to PSI and ideal gas for the tests after this one.
        form->mnuPsiAndFeet->trigger();
        item(*form, "mnuIdealGas")->trigger();
        form = std::make_unique<TestedMainWindow>();
        QCOMPARE(form->Units(), quillan::UnitSystem::PsiAndFeet);
        QVERIFY(item(*form, "mnuIdealGas")->isChecked());
    }

    // Filled at 35 C, settled at 20 C, with the checkpoints: the report says all three, and a
    // new window keeps them.
    void temperaturesAndCheckpointsReachTheReportAndARestart() {
        auto form = std::make_unique<TestedMainWindow>();
        QVERIFY(testsupport::respondToNextModal(
            [&] { item(*form, "mnuTemperatures")->trigger(); },
            [](QWidget* dialog) {
                QCOMPARE(dialog->objectName(), QStringLiteral("dlgTemperatures"));
                testsupport::child<QDoubleSpinBox>(*dialog, "spnFillTemperature")->setValue(35.0);
                static_cast<QDialog*>(dialog)->accept();
            }));
        item(*form, "mnuCheckpoints")->setChecked(true);
        form = std::make_unique<TestedMainWindow>();
        QVERIFY(item(*form, "mnuCheckpoints")->isChecked());
        const QStringList lines = blendTrimix1845(*form);
        QVERIFY(
            lines.contains(QStringLiteral("Once settled at 20 °C the gauge should read 3000 PSI")));
        QCOMPARE(lines.filter(QStringLiteral("Analyse: O2 should read ")).size(), 2);

        item(*form, "mnuCheckpoints")->setChecked(false);
        QSettings(QStringLiteral("Quillan"), QStringLiteral("Quillan1"))
            .remove(QStringLiteral("blend/fillCelsius"));
    }

    // The manual names what the options menu stores, where and under which keys and values.
    void manualNamesTheSettings() {
        QFile manual(QStringLiteral(QUILLAN1_MANUAL));
        QVERIFY(manual.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(manual.readAll()).remove(QLatin1Char('\\'));
        const QString file =
            QSettings(QStringLiteral("Quillan"), QStringLiteral("Quillan1")).fileName();
        const QString home = "~/.config" + file.mid(qgetenv("XDG_CONFIG_HOME").size());
        for (const QString& word : (home + " display/units metric blend/gasModel real").split(' '))
            QVERIFY2(text.contains(word), qPrintable(word));
    }

    void anUnknownStoredValueMeansIdealGas() {
        QSettings(QStringLiteral("Quillan"), QStringLiteral("Quillan1"))
            .setValue(QStringLiteral("blend/gasModel"), QStringLiteral("van der Waals"));
        TestedMainWindow form;
        QVERIFY(item(form, "mnuIdealGas")->isChecked());
        QVERIFY(blendTrimix1845(form).contains(QStringLiteral("Add 1350 PSI of He")));
    }
};

QTEST_MAIN(GasModelTest)
#include "test_gas_model.moc"
