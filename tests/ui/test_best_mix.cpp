// Tools > Best mix fills the required mix and says whether the window's cylinder can blend
// it; the MOD field's tooltip and the report give the MOD at the diver's own PO2.
#include "test_support.h"
#include "tested_main_window.h"

#include <QAction>
#include <QHelpEvent>
#include <QSpinBox>
#include <QtTest/QtTest>

namespace {

QAction* item(const TestedMainWindow& form, const char* name) {
    return form.findChild<QAction*>(QString::fromLatin1(name));
}

QString hoverText(QLineEdit* field) {
    QHelpEvent hover(QEvent::ToolTip, QPoint(1, 1), field->mapToGlobal(QPoint(1, 1)));
    QApplication::sendEvent(field, &hover);
    return field->toolTip();
}

} // namespace

class BestMixTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QVERIFY(testsupport::registerComponentLibrary()); }

    void dialogFillsTheRequiredMix_data() {
        QTest::addColumn<QString>("topUpO2");
        QTest::addColumn<QString>("blendable");
        QTest::newRow("air top-up blends it")
            << QStringLiteral("21") << QStringLiteral("Blendable from the cylinder at hand");
        QTest::newRow("Nitrox 50 brings too much oxygen")
            << QStringLiteral("50")
            << QStringLiteral("Not blendable: Mix can't be created using current parameters");
    }

    void dialogFillsTheRequiredMix() {
        QFETCH(QString, topUpO2);
        QFETCH(QString, blendable);
        TestedMainWindow form;
        form.SetUnits(quillan::UnitSystem::BarAndMetres);
        form.txtSourcePSI->setText(QStringLiteral("0"));
        form.txtTargetPSI->setText(QStringLiteral("200"));
        form.txtTopO2->setText(topUpO2);
        QString answer;
        QVERIFY(testsupport::respondToNextModal(
            [&] { item(form, "mnuBestMix")->trigger(); },
            [&](QWidget* dialog) {
                QCOMPARE(dialog->objectName(), QStringLiteral("dlgBestMix"));
                testsupport::child<QSpinBox>(*dialog, "spnDepth")->setValue(60);
                answer = testsupport::child<QLabel>(*dialog, "lblBestMix")->text();
                testsupport::child<QPushButton>(*dialog, "cmdUseBestMix")->click();
            }));
        QVERIFY2(answer.startsWith(QStringLiteral("Best mix: Trimix 20/46\n")), qPrintable(answer));
        QVERIFY2(answer.endsWith(QLatin1Char('\n') + blendable), qPrintable(answer));
        QCOMPARE(form.txtTargetO2->text(), QStringLiteral("20"));
        QCOMPARE(form.txtTargetHe->text(), QStringLiteral("46"));
        QCOMPARE(form.txtTargetN->text(), QStringLiteral("34"));
        QCOMPARE(form.txtTargetDepth->text(), QStringLiteral("60"));
        QCOMPARE(form.txtTargetMOD->text(), QStringLiteral("70")); // at 1.6, as ever
        QCOMPARE(form.txtTargetPO2->text(), QStringLiteral("1.40"));
    }

    void modAtTheDiversPO2OnHoverAndInTheReportWhenAsked() {
        TestedMainWindow form;
        form.txtSourcePSI->setText(QStringLiteral("500"));
        form.txtSourceO2->setText(QStringLiteral("21"));
        form.txtSourceN->setText(QStringLiteral("79"));
        form.txtTargetPSI->setText(QStringLiteral("3000"));
        form.txtTargetO2->setText(QStringLiteral("32"));
        form.txtTargetHe->setText(QStringLiteral("0"));
        form.txtTargetN->setText(QStringLiteral("68"));
        QCOMPARE(hoverText(form.txtTargetMOD), QStringLiteral("MOD at PO2 1.4: 111 fsw"));

        form.cmdCalc->click();
        const QStringList plain = testsupport::listLines(form.lstBlendingInstructions);
        item(form, "mnuModAtDivePO2")->setChecked(true);
        form.cmdCalc->click();
        QStringList expected = plain;
        expected.insert(plain.indexOf(QStringLiteral("MOD 132 fsw")) + 1,
                        QStringLiteral("MOD at PO2 1.4 111 fsw"));
        QCOMPARE(testsupport::listLines(form.lstBlendingInstructions).mid(1), expected.mid(1));
        item(form, "mnuModAtDivePO2")->setChecked(false);
    }
};

QTEST_MAIN(BestMixTest)
#include "test_best_mix.moc"
