// The eight editable fields of the main window: bounds, follow-ups, the top-up display,
// the depth figures, and the road of one request by keyboard alone.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest/QTest>

#include "controls/clickable_label.h"
#include "fields/field_rules.h"
#include "test_fields_support.h"
#include "test_support.h"
#include "tested_main_window.h"

using fieldtest::click;
using fieldtest::enterText;
using fieldtest::ModalCloser;
using fieldtest::pressKey;
using fieldtest::typeText;

namespace {

QString invalidEntry(int lower, int upper) {
    return QStringLiteral("Input value must be an integer between %1 and %2.")
        .arg(lower)
        .arg(upper);
}

QStringList figures(const TestedMainWindow& w) {
    return {w.txtTargetMOD->text(), w.txtTargetEND->text(), w.txtTargetPO2->text()};
}

QStringList mix(const QLineEdit* o2, const QLineEdit* he, const QLineEdit* n) {
    return {o2->text(), he->text(), n->text()};
}

} // namespace

class FieldHandlersTest : public QObject {
    Q_OBJECT

  private:
    QLineEdit* fieldNamed(const TestedMainWindow& w, const QString& name) {
        return w.findChild<QLineEdit*>(name);
    }

  private slots:
    void startsInTheFirstFieldWithItsTextSelected() {
        auto w = fieldtest::openMainWindow();
        QCOMPARE(QApplication::focusWidget(), w->txtSourcePSI);
        QCOMPARE(w->txtSourcePSI->selectedText(), QStringLiteral("0"));
    }

    void tabVisitsTheFieldsInOrderSelectingEach() {
        auto w = fieldtest::openMainWindow();
        const QList<QWidget*> order{w->txtSourceO2,
                                    w->txtSourceHe,
                                    w->txtTargetPSI,
                                    w->txtTargetO2,
                                    w->txtTargetHe,
                                    w->txtTargetDepth,
                                    w->lstBlendingInstructions,
                                    w->txtTopO2,
                                    w->cmdTopWithAir,
                                    w->cmdCalc,
                                    w->txtSourcePSI};
        ModalCloser closer;
        for (QWidget* next : order) {
            pressKey(w.get(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
            if (auto* field = qobject_cast<QLineEdit*>(next))
                QCOMPARE(field->selectedText(), field->text());
        }
        QVERIFY(closer.seen.isEmpty());
    }

    // A field added to the window without a rule would take any text unchecked.
    void everyEditableFieldHasOneRule() {
        auto w = fieldtest::openMainWindow();
        QList<QLineEdit*> editable;
        for (QLineEdit* field : w->findChildren<QLineEdit*>())
            if (!field->isReadOnly())
                editable << field;
        QList<QLineEdit*> ruled;
        for (const FieldRule& rule : fieldRules())
            ruled << w->fields().*rule.field;
        QCOMPARE(QSet<QLineEdit*>(ruled.begin(), ruled.end()).size(), ruled.size());
        QCOMPARE(QSet<QLineEdit*>(ruled.begin(), ruled.end()),
                 QSet<QLineEdit*>(editable.begin(), editable.end()));
    }

    void bounds_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("lower");
        QTest::addColumn<int>("upper");
        QTest::addColumn<QString>("accepted"); // after the rebalancing, with O2 still 0
        QTest::newRow("starting pressure") << "txtSourcePSI" << 0 << 4000 << "4000";
        QTest::newRow("starting O2") << "txtSourceO2" << 0 << 100 << "100";
        QTest::newRow("starting He") << "txtSourceHe" << 0 << 100 << "0";
        QTest::newRow("required pressure") << "txtTargetPSI" << 0 << 4500 << "4500";
        QTest::newRow("required O2") << "txtTargetO2" << 0 << 100 << "100";
        QTest::newRow("required He") << "txtTargetHe" << 0 << 100 << "0";
        QTest::newRow("target depth") << "txtTargetDepth" << 0 << 500 << "500";
        QTest::newRow("top-up O2") << "txtTopO2" << 21 << 50 << "50";
    }

    // Above the upper bound: the box naming the bounds, the focus kept, the text selected
    // unless the rebalancing rewrote it. Then half below the bound is accepted and rounded
    // (to even) up to it.
    void bounds() {
        QFETCH(QString, field);
        QFETCH(int, lower);
        QFETCH(int, upper);
        QFETCH(QString, accepted);
        auto w = fieldtest::openMainWindow();
        QLineEdit* edit = fieldNamed(*w, field);
        const QString tooHigh = QString::number(upper + 1);
        QVERIFY(enterText(w.get(), edit, tooHigh));
        {
            ModalCloser closer;
            pressKey(w.get(), Qt::Key_Tab);
            QCOMPARE(closer.seen.size(), 1);
            QCOMPARE(closer.seen[0].title, QStringLiteral("Invalid entry"));
            QCOMPARE(closer.seen[0].text, invalidEntry(lower, upper));
        }
        QTRY_COMPARE(QApplication::focusWidget(), edit);
        if (edit->text() == tooHigh)
            QCOMPARE(edit->selectedText(), tooHigh);

        pressKey(w.get(), Qt::Key_A, Qt::ControlModifier);
        typeText(w.get(), QString::number(upper - 1) + QStringLiteral(".5"));
        ModalCloser closer;
        pressKey(w.get(), Qt::Key_Tab);
        QVERIFY(closer.seen.isEmpty());
        QVERIFY(QApplication::focusWidget() != edit);
        QCOMPARE(edit->text(), accepted);
    }

    void emptyFieldBecomesZeroWhereZeroIsAllowed() {
        auto w = fieldtest::openMainWindow();
        w->txtTargetPSI->setText(QStringLiteral("3000"));
        QVERIFY(enterText(w.get(), w->txtTargetPSI, QString()));
        ModalCloser closer;
        pressKey(w.get(), Qt::Key_Tab);
        QVERIFY(closer.seen.isEmpty());
        QCOMPARE(w->txtTargetPSI->text(), QStringLiteral("0"));
    }

    void sourceFieldsRebalanceTheStartingMix_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QStringList>("sourceMix");
        QTest::newRow("O2 32") << "txtSourceO2"
                               << "32" << QStringList{"32", "0", "68"};
        QTest::newRow("O2 32.5 rounds to even") << "txtSourceO2"
                                                << "32.5" << QStringList{"32", "0", "68"};
        QTest::newRow("He 35 with O2 21.7 written by code")
            << "txtSourceHe"
            << "35" << QStringList{"21", "35", "44"};
        QTest::newRow("pressure rebalances the mix too") << "txtSourcePSI"
                                                         << "1000" << QStringList{"21", "0", "79"};
    }

    void sourceFieldsRebalanceTheStartingMix() {
        QFETCH(QString, field);
        QFETCH(QString, entry);
        QFETCH(QStringList, sourceMix);
        auto w = fieldtest::openMainWindow();
        // Written by code, as a command would: no handler runs until a field is left.
        w->txtSourceO2->setText(field == QStringLiteral("txtSourceO2") ? QStringLiteral("0")
                                                                       : QStringLiteral("21.7"));
        QVERIFY(enterText(w.get(), fieldNamed(*w, field), entry));
        pressKey(w.get(), Qt::Key_Tab);
        QCOMPARE(mix(w->txtSourceO2, w->txtSourceHe, w->txtSourceN), sourceMix);
    }

    void rejectedEntryStillRebalances() {
        auto w = fieldtest::openMainWindow();
        QVERIFY(enterText(w.get(), w->txtSourceO2, QStringLiteral("120")));
        {
            ModalCloser closer;
            pressKey(w.get(), Qt::Key_Tab);
            QCOMPARE(closer.texts(), QStringList{invalidEntry(0, 100)});
        }
        QTRY_COMPARE(QApplication::focusWidget(), w->txtSourceO2);
        QCOMPARE(mix(w->txtSourceO2, w->txtSourceHe, w->txtSourceN),
                 (QStringList{"100", "0", "0"}));

        QVERIFY(enterText(w.get(), w->txtSourceHe, QStringLiteral("x")));
        ModalCloser closer;
        pressKey(w.get(), Qt::Key_Tab);
        QCOMPARE(closer.texts(), QStringList{invalidEntry(0, 100)});
        QTRY_COMPARE(QApplication::focusWidget(), w->txtSourceHe);
        QCOMPARE(mix(w->txtSourceO2, w->txtSourceHe, w->txtSourceN),
                 (QStringList{"-1", "-1", "-1"}));
    }

    void requiredPressureChangesNothingElse() {
        auto w = fieldtest::openMainWindow();
        w->txtTargetO2->setText(QStringLiteral("32.7"));
        w->txtTargetDepth->setText(QStringLiteral("100"));
        QVERIFY(enterText(w.get(), w->txtTargetPSI, QStringLiteral("3000")));
        pressKey(w.get(), Qt::Key_Tab);
        QCOMPARE(w->txtTargetPSI->text(), QStringLiteral("3000"));
        QCOMPARE(w->txtTargetO2->text(), QStringLiteral("32.7"));
        QCOMPARE(figures(*w), (QStringList{"0", "0", "0"}));
    }

    void depthFiguresFollowTheRequiredMix_data() {
        QTest::addColumn<QString>("o2");
        QTest::addColumn<QString>("he");
        QTest::addColumn<QString>("depth");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("nitrox 32 at 100") << "32"
                                          << "0"
                                          << "100" << QStringList{"132", "81", "1.29"};
        QTest::newRow("nitrox 32 at its MOD") << "32"
                                              << "0"
                                              << "132" << QStringList{"132", "109", "1.60"};
        QTest::newRow("air at 100") << "21"
                                    << "0"
                                    << "100" << QStringList{"218", "100", "0.85"};
        QTest::newRow("nitrox 36 at 99") << "36"
                                         << "0"
                                         << "99" << QStringList{"113", "74", "1.44"};
        QTest::newRow("trimix 18/45 at 200") << "18"
                                             << "45"
                                             << "200" << QStringList{"260", "76", "1.27"};
        QTest::newRow("oxygen at 20") << "100"
                                      << "0"
                                      << "20" << QStringList{"19", "0", "1.61"};
        QTest::newRow("depth 0") << "21"
                                 << "0"
                                 << "0" << QStringList{"0", "0", "0"};
        QTest::newRow("depth 500 accepted") << "21"
                                            << "0"
                                            << "500" << QStringList{"218", "500", "3.39"};
        QTest::newRow("O2 64 gives MOD 49.5 down to 49") << "64"
                                                         << "0"
                                                         << "10" << QStringList{"49", "0", "0.83"};
        QTest::newRow("O2 0 zeroes everything") << "0"
                                                << "30"
                                                << "100" << QStringList{"0", "0", "0"};
    }

    // Each of the three handlers refreshes the figures as soon as its field is left.
    void depthFiguresFollowTheRequiredMix() {
        QFETCH(QString, o2);
        QFETCH(QString, he);
        QFETCH(QString, depth);
        QFETCH(QStringList, expected);
        auto w = fieldtest::openMainWindow();
        QVERIFY(enterText(w.get(), w->txtTargetDepth, depth));
        pressKey(w.get(), Qt::Key_Tab);
        QVERIFY(enterText(w.get(), w->txtTargetO2, o2));
        pressKey(w.get(), Qt::Key_Tab);
        QVERIFY(enterText(w.get(), w->txtTargetHe, he));
        pressKey(w.get(), Qt::Key_Tab);
        QCOMPARE(figures(*w), expected);
        if (o2 == QStringLiteral("0"))
            QCOMPARE(mix(w->txtTargetO2, w->txtTargetHe, w->txtTargetN),
                     (QStringList{"0", "0", "0"}));
    }

    void eachDepthHandlerRefreshesOnItsOwn() {
        auto w = fieldtest::openMainWindow();
        w->txtTargetO2->setText(QStringLiteral("32"));
        w->txtTargetN->setText(QStringLiteral("68"));
        QVERIFY(enterText(w.get(), w->txtTargetDepth, QStringLiteral("132")));
        pressKey(w.get(), Qt::Key_Tab);
        QCOMPARE(figures(*w), (QStringList{"132", "109", "1.60"}));

        // Only He changes: END follows the derived N, MOD and PO2 stay.
        QVERIFY(enterText(w.get(), w->txtTargetHe, QStringLiteral("30")));
        pressKey(w.get(), Qt::Key_Tab);
        QCOMPARE(w->txtTargetN->text(), QStringLiteral("38"));
        QCOMPARE(figures(*w), (QStringList{"132", "46", "1.60"}));

        QVERIFY(enterText(w.get(), w->txtTargetO2, QStringLiteral("36")));
        pressKey(w.get(), Qt::Key_Tab);
        QCOMPARE(w->txtTargetN->text(), QStringLiteral("34"));
        QCOMPARE(figures(*w), (QStringList{"113", "38", "1.80"}));
    }

    void topupDisplay_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("rejected");
        QTest::addColumn<QString>("o2After");
        QTest::addColumn<QString>("nitrogen");
        QTest::addColumn<QString>("gas");
        QTest::newRow("nitrox 32") << "32" << false << "32"
                                   << "68"
                                   << "Nitrox 32";
        QTest::newRow("air") << "21" << false << "21"
                             << "79"
                             << "Air";
        QTest::newRow("21.5 to 22") << "21.5" << false << "22"
                                    << "78"
                                    << "Nitrox 22";
        QTest::newRow("22.5 to 22") << "22.5" << false << "22"
                                    << "78"
                                    << "Nitrox 22";
        QTest::newRow("50") << "50" << false << "50"
                            << "50"
                            << "Nitrox 50";
        QTest::newRow("60 rejected, display follows") << "60" << true << "60"
                                                      << "40"
                                                      << "Nitrox 60";
        // Mended: an empty entry is rejected; the display keeps the last valid gas.
        QTest::newRow("empty rejected") << "" << true << ""
                                        << "68"
                                        << "Nitrox 32";
        QTest::newRow("letters rejected") << "abc" << true << "abc"
                                          << "68"
                                          << "Nitrox 32";
        QTest::newRow("too large for 16 bits") << "1e9" << true << "1e9"
                                               << "68"
                                               << "Nitrox 32";
    }

    void topupDisplay() {
        QFETCH(QString, entry);
        QFETCH(bool, rejected);
        QFETCH(QString, o2After);
        QFETCH(QString, nitrogen);
        QFETCH(QString, gas);
        auto w = fieldtest::openMainWindow();
        QCOMPARE(w->lblTopup->text(),
                 QStringLiteral("Top up Starting Mix with Air and calculate final mix"));
        QVERIFY(enterText(w.get(), w->txtTopO2, QStringLiteral("32")));
        pressKey(w.get(), Qt::Key_Tab);
        QVERIFY(enterText(w.get(), w->txtTopO2, entry));
        ModalCloser closer;
        pressKey(w.get(), Qt::Key_Tab);
        QCOMPARE(closer.texts(), rejected ? QStringList{invalidEntry(21, 50)} : QStringList{});
        QTRY_COMPARE(QApplication::focusWidget(),
                     rejected ? static_cast<QWidget*>(w->txtTopO2) : w->cmdTopWithAir);
        QCOMPARE(w->txtTopO2->text(), o2After);
        QCOMPARE(w->txtTopN->text(), nitrogen);
        QCOMPARE(w->lblTopup->text(),
                 QStringLiteral("Top up Starting Mix with %1 and calculate final mix.").arg(gas));
    }

    // Mended: a depth that is not a number keeps its text and the focus, and the figures
    // keep describing the last valid depth.
    void depthThatIsNotANumberKeepsTheFigures_data() {
        QTest::addColumn<QString>("entry");
        QTest::newRow("letters") << "deep";
        QTest::newRow("blank") << " ";
        QTest::newRow("too large for 16 bits") << "40000";
    }

    void depthThatIsNotANumberKeepsTheFigures() {
        QFETCH(QString, entry);
        auto w = fieldtest::openMainWindow();
        w->txtTargetO2->setText(QStringLiteral("32"));
        w->txtTargetN->setText(QStringLiteral("68"));
        QVERIFY(enterText(w.get(), w->txtTargetDepth, QStringLiteral("100")));
        pressKey(w.get(), Qt::Key_Tab);
        const QStringList before = figures(*w);
        QCOMPARE(before, (QStringList{"132", "81", "1.29"}));
        QVERIFY(enterText(w.get(), w->txtTargetDepth, entry));
        ModalCloser closer;
        pressKey(w.get(), Qt::Key_Tab);
        QCOMPARE(closer.texts(), QStringList{invalidEntry(0, 500)});
        QTRY_COMPARE(QApplication::focusWidget(), w->txtTargetDepth);
        QCOMPARE(w->txtTargetDepth->text(), entry);
        QCOMPARE(figures(*w), before);
    }

    void oneRequestByKeyboardAlone() {
        auto w = fieldtest::openMainWindow();
        ModalCloser closer;
        // The focus starts in the starting pressure; every field is entered by typing.
        for (const QString entry : {"0", "", "0", "3000", "32", "0", "0"}) {
            if (!entry.isEmpty())
                typeText(w.get(), entry);
            else
                pressKey(w.get(), Qt::Key_Delete);
            pressKey(w.get(), Qt::Key_Tab);
        }
        QCOMPARE(w->txtSourceO2->text(), QStringLiteral("0"));
        QCOMPARE(w->txtTargetN->text(), QStringLiteral("68"));
        QCOMPARE(QApplication::focusWidget(), w->lstBlendingInstructions);
        pressKey(w.get(), Qt::Key_C, Qt::AltModifier);
        QTRY_COMPARE(w->txtTargetDepth->text(), QStringLiteral("132"));
        QCOMPARE(QApplication::focusWidget(), w->cmdCalc);
        QCOMPARE(figures(*w), (QStringList{"132", "109", "1.60"}));
        const QString report =
            testsupport::listLines(w->lstBlendingInstructions).join(QLatin1Char('\n'));
        QVERIFY2(report.contains(QStringLiteral("418")) && report.contains(QStringLiteral("2582")),
                 qPrintable(report));
        QVERIFY(closer.seen.isEmpty());
    }

    void invalidEntryStopsTheCommand_data() {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("click") << false;
        QTest::newRow("Alt+C") << true;
    }

    void invalidEntryStopsTheCommand() {
        QFETCH(bool, byKey);
        auto w = fieldtest::openMainWindow();
        const QStringList helpText = testsupport::listLines(w->lstBlendingInstructions);
        QVERIFY(enterText(w.get(), w->txtTargetPSI, QStringLiteral("4501")));
        ModalCloser closer;
        if (byKey)
            pressKey(w.get(), Qt::Key_C, Qt::AltModifier);
        else
            click(w->cmdCalc);
        QCOMPARE(closer.texts(), QStringList{invalidEntry(0, 4500)});
        QTRY_COMPARE(QApplication::focusWidget(), w->txtTargetPSI);
        QTest::qWait(250); // an access key's click would come after its animation
        QCOMPARE(testsupport::listLines(w->lstBlendingInstructions), helpText);
        QCOMPARE(w->txtTargetPSI->text(), QStringLiteral("4501"));
    }

    void linkLabelsDoNotValidate() {
        auto w = fieldtest::openMainWindow();
        QVERIFY(enterText(w.get(), w->txtSourceO2, QStringLiteral("999")));
        ModalCloser closer;
        click(w->cmdlblSave); // the save dialog opens and is cancelled
        QCOMPARE(closer.seen.size(), 2);
        QCOMPARE(closer.seen[0].title, QStringLiteral("Save File"));
        QCOMPARE(closer.seen[1].title, QStringLiteral("Application Error"));
        QCOMPARE(w->txtSourceO2->text(), QStringLiteral("999"));
        click(w->lblInstrictions);
        QCOMPARE(closer.seen.size(), 2);
        QCOMPARE(w->txtSourceO2->text(), QStringLiteral("999"));
    }
};

QTEST_MAIN(FieldHandlersTest)
#include "test_fields_handlers.moc"
