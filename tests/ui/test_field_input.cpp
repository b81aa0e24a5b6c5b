// SelectControlText, CancelInput and BalanceMixFields on plain text fields.
#include <QLineEdit>
#include <QtTest/QTest>

#include "fields/field_input.h"
#include "program/app_title.h"
#include "test_fields_support.h"
#include "test_support.h"

using fieldtest::ModalCloser;

class FieldInputTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QVERIFY(testsupport::registerComponentLibrary()); }

    void selectControlTextSelectsAll() {
        QLineEdit field(QStringLiteral("3000"));
        field.setCursorPosition(2);
        fields::SelectControlText(&field);
        QCOMPARE(field.selectedText(), QStringLiteral("3000"));
        QCOMPARE(field.selectionStart(), 0);

        QLineEdit empty;
        fields::SelectControlText(&empty);
        QVERIFY(!empty.hasSelectedText());
    }

    void selectControlTextReportsAMissingField() {
        ModalCloser closer;
        fields::SelectControlText(nullptr);
        QCOMPARE(closer.seen.size(), 1);
        QCOMPARE(closer.seen[0].title, QStringLiteral("Application Error"));
        QVERIFY2(closer.seen[0].text.startsWith(
                     QStringLiteral("Error at: ") + program::GetAppTitle() +
                     QStringLiteral(".Module1.SelectControlText.SelectControlText\n"
                                    "Condition = \nNumber = 91\n")),
                 qPrintable(closer.seen[0].text));
    }

    void cancelInput_data() {
        QTest::addColumn<int>("lower");
        QTest::addColumn<int>("upper");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("rejected");
        QTest::addColumn<QString>("after");

        QTest::newRow("empty becomes 0") << 0 << 100 << "" << false << "0";
        QTest::newRow("upper bound") << 0 << 100 << "100" << false << "100";
        QTest::newRow("lower bound") << 0 << 100 << "0" << false << "0";
        QTest::newRow("just above") << 0 << 100 << "100.4" << true << "100.4";
        QTest::newRow("half rounds up to even") << 0 << 100 << "99.5" << false << "100";
        QTest::newRow("half rounds down to even") << 0 << 100 << "12.5" << false << "12";
        QTest::newRow("odd half rounds up") << 0 << 100 << "13.5" << false << "14";
        QTest::newRow("whole with decimals") << 0 << 100 << "7.0" << false << "7";
        QTest::newRow("just below") << 0 << 100 << "-0.4" << true << "-0.4";
        QTest::newRow("letters") << 0 << 100 << "abc" << true << "abc";
        QTest::newRow("blanks only") << 0 << 100 << "   " << true << "   ";
        QTest::newRow("blanks around") << 0 << 100 << " 42 " << false << "42";
        QTest::newRow("sign") << 0 << 4000 << "+2500" << false << "2500";
        QTest::newRow("exponent refused") << 0 << 4000 << "+2.5e3" << true << "+2.5e3";
        QTest::newRow("fraction under lower bound") << 32 << 100 << "31.9" << true << "31.9";
        QTest::newRow("huge") << 0 << 100 << "1e400" << true << "1e400";
        // Mended: an empty field is 0 only where 0 is allowed.
        QTest::newRow("empty where 0 is not allowed") << 21 << 50 << "" << true << "";
        QTest::newRow("empty in negative range") << -10 << -5 << "" << true << "";
        QTest::newRow("negative range") << -10 << -5 << "-7.5" << false << "-8";
    }

    void cancelInput() {
        QFETCH(int, lower);
        QFETCH(int, upper);
        QFETCH(QString, text);
        QFETCH(bool, rejected);
        QFETCH(QString, after);

        QLineEdit field(text);
        ModalCloser closer;
        bool selectText = true;
        QCOMPARE(fields::CancelInput(static_cast<std::int16_t>(lower),
                                     static_cast<std::int16_t>(upper), &field, selectText),
                 rejected);
        QCOMPARE(field.text(), after);
        if (!rejected) {
            QVERIFY(closer.seen.isEmpty());
            return;
        }
        QCOMPARE(closer.seen.size(), 1);
        QCOMPARE(closer.seen[0].title, QStringLiteral("Invalid entry"));
        QCOMPARE(closer.seen[0].text,
                 QStringLiteral("Input value must be an integer between %1 and %2.")
                     .arg(lower)
                     .arg(upper));
        QCOMPARE(field.selectedText(), text);
    }

    void cancelInputSelectsOnlyWhenAsked() {
        QLineEdit field(QStringLiteral("120"));
        ModalCloser closer;
        bool selectText = false;
        QVERIFY(fields::CancelInput(0, 100, &field, selectText));
        QVERIFY(!field.hasSelectedText());
        QCOMPARE(closer.seen.size(), 1);
    }

    void cancelInputReportsAMissingFieldAndLetsItThrough() {
        ModalCloser closer;
        bool selectText = true;
        QVERIFY(!fields::CancelInput(0, 100, nullptr, selectText));
        QCOMPARE(closer.seen.size(), 1);
        QVERIFY(
            closer.seen[0].text.startsWith(QStringLiteral("Error at: ") + program::GetAppTitle() +
                                           QStringLiteral(".Module1.CancelInput.CancelInput\n")));
    }

    void balanceMixFields_data() {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QStringList>("after");

        QTest::newRow("nitrogen derived")
            << QStringList{"32", "0", "5"} << QStringList{"32", "0", "68"};
        QTest::newRow("O2 cut down to whole")
            << QStringList{"21.7", "35", "0"} << QStringList{"21", "35", "44"};
        QTest::newRow("O2 and He over 100")
            << QStringList{"80", "50", "10"} << QStringList{"80", "20", "0"};
        QTest::newRow("pure oxygen")
            << QStringList{"100", "20", "20"} << QStringList{"100", "0", "0"};
        QTest::newRow("clamped then pure oxygen")
            << QStringList{"150", "95", "0"} << QStringList{"100", "0", "0"};
        QTest::newRow("no oxygen") << QStringList{"0", "30", "5"} << QStringList{"0", "0", "0"};
        QTest::newRow("negative O2") << QStringList{"-5", "10", "0"} << QStringList{"0", "0", "0"};
        QTest::newRow("negative He, N over 90")
            << QStringList{"50", "-3", "200"} << QStringList{"50", "0", "50"};
        QTest::newRow("He cut down to whole")
            << QStringList{"20.5", "79.9", "0"} << QStringList{"20", "79", "1"};
        QTest::newRow("exactly 100 together")
            << QStringList{"40", "60", "7"} << QStringList{"40", "60", "0"};
        QTest::newRow("He capped at 90")
            << QStringList{"5", "95", "0"} << QStringList{"5", "90", "5"};
        QTest::newRow("He not a number")
            << QStringList{"32", "x", "0"} << QStringList{"-1", "-1", "-1"};
        QTest::newRow("O2 empty") << QStringList{"", "0", "0"} << QStringList{"-1", "-1", "-1"};
        QTest::newRow("N not a number")
            << QStringList{"32", "0", "?"} << QStringList{"-1", "-1", "-1"};
    }

    void balanceMixFields() {
        QFETCH(QStringList, before);
        QFETCH(QStringList, after);
        QLineEdit o2(before[0]);
        QLineEdit he(before[1]);
        QLineEdit n(before[2]);
        ModalCloser closer;
        fields::BalanceMixFields(&o2, &he, &n);
        QCOMPARE((QStringList{o2.text(), he.text(), n.text()}), after);
        QVERIFY(closer.seen.isEmpty());
    }
};

QTEST_MAIN(FieldInputTest)
#include "test_field_input.moc"
