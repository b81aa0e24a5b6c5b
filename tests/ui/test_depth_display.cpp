// The required mix's depth figures (MOD, END, PO2) worked out from the field texts.
#include "test_support.h"
#include "tested_main_window.h"

#include "engine/runtime_error.h"

#include <QLineEdit>
#include <QtTest/QtTest>

#include <memory>

class DepthDisplayTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QVERIFY(testsupport::registerComponentLibrary()); }
    void init() { form = std::make_unique<TestedMainWindow>(); }
    void cleanup() { form.reset(); }

    void figures_data();
    void figures();
    void textThatIsNotANumber_data();
    void textThatIsNotANumber();

  private:
    std::unique_ptr<TestedMainWindow> form;
};

void DepthDisplayTest::figures_data() {
    QTest::addColumn<QString>("o2");
    QTest::addColumn<QString>("n");
    QTest::addColumn<QString>("depth");
    QTest::addColumn<QStringList>("figures"); // MOD, END, PO2
    QTest::newRow("EAN32 at 100") << "32"
                                  << "68"
                                  << "100" << QStringList{"132", "81", "1.29"};
    QTest::newRow("EAN32 at its MOD") << "32"
                                      << "68"
                                      << "132" << QStringList{"132", "109", "1.60"};
    QTest::newRow("air at 100") << "21"
                                << "79"
                                << "100" << QStringList{"218", "100", "0.85"};
    QTest::newRow("EAN36 at 99") << "36"
                                 << "64"
                                 << "99" << QStringList{"113", "74", "1.44"};
    QTest::newRow("trimix at 200") << "18"
                                   << "37"
                                   << "200" << QStringList{"260", "76", "1.27"};
    QTest::newRow("oxygen at 20") << "100"
                                  << "0"
                                  << "20" << QStringList{"19", "0", "1.61"};
    QTest::newRow("depth 0 zeroes MOD too") << "21"
                                            << "79"
                                            << "0" << QStringList{"0", "0", "0"};
    QTest::newRow("O2 0 zeroes all") << "0"
                                     << "79"
                                     << "100" << QStringList{"0", "0", "0"};
    QTest::newRow("MOD 49.5 rounds down") << "64"
                                          << "36"
                                          << "30" << QStringList{"49", "0", "1.22"};
    QTest::newRow("depth with blanks, half to even")
        << "32"
        << "68"
        << " 100.5 " << QStringList{"132", "81", "1.29"};
}

void DepthDisplayTest::figures() {
    QFETCH(QString, o2);
    QFETCH(QString, n);
    QFETCH(QString, depth);
    QFETCH(QStringList, figures);
    form->txtTargetO2->setText(o2);
    form->txtTargetN->setText(n);
    form->txtTargetDepth->setText(depth);
    form->ShowMixAtDepth();
    QCOMPARE((QStringList{form->txtTargetMOD->text(), form->txtTargetEND->text(),
                          form->txtTargetPO2->text()}),
             figures);
    QCOMPARE(form->txtTargetDepth->text(), depth);
}

void DepthDisplayTest::textThatIsNotANumber_data() {
    QTest::addColumn<QString>("o2");
    QTest::addColumn<QString>("depth");
    QTest::newRow("depth") << "32"
                           << "deep";
    QTest::newRow("empty depth") << "32"
                                 << "";
    QTest::newRow("O2") << "3 2"
                        << "100";
}

void DepthDisplayTest::textThatIsNotANumber() {
    QFETCH(QString, o2);
    QFETCH(QString, depth);
    form->txtTargetO2->setText(o2);
    form->txtTargetN->setText(QStringLiteral("68"));
    form->txtTargetDepth->setText(depth);
    for (QLineEdit* field : {form->txtTargetMOD, form->txtTargetEND, form->txtTargetPO2})
        field->setText(QStringLiteral("x"));
    try {
        form->ShowMixAtDepth();
        QFAIL("no error raised");
    } catch (const quillan::RuntimeError& err) {
        QCOMPARE(err.number, quillan::kErrTypeMismatch);
    }
    for (QLineEdit* field : {form->txtTargetMOD, form->txtTargetEND, form->txtTargetPO2})
        QCOMPARE(field->text(), QStringLiteral("x"));
}

QTEST_MAIN(DepthDisplayTest)
#include "test_depth_display.moc"
