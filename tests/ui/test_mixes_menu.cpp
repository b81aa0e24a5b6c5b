// The Mixes menu fills the required mix with a usual blend, and keeps the user's own.
#include "test_support.h"
#include "tested_main_window.h"

#include <QAction>
#include <QtTest/QtTest>

namespace {

QAction* item(const TestedMainWindow& form, const QString& name) {
    return form.findChild<QAction*>(name);
}

QString requiredMix(const TestedMainWindow& form) {
    return form.txtTargetO2->text() + QLatin1Char('/') + form.txtTargetHe->text() +
           QLatin1Char('/') + form.txtTargetN->text();
}

} // namespace

class MixesMenuTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QVERIFY(testsupport::registerComponentLibrary()); }

    void itemFillsTheRequiredMix_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("mix");
        QTest::newRow("air") << "mnuMix21_0"
                             << "Air"
                             << "21/0/79";
        QTest::newRow("nitrox") << "mnuMix36_0"
                                << "Nitrox 36"
                                << "36/0/64";
        QTest::newRow("oxygen has no N") << "mnuMix100_0"
                                         << "Nitrox 100"
                                         << "100/0/0";
        QTest::newRow("trimix") << "mnuMix10_70"
                                << "Trimix 10/70"
                                << "10/70/20";
    }

    void itemFillsTheRequiredMix() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, mix);
        TestedMainWindow form;
        QAction* mixItem = item(form, name);
        QVERIFY(mixItem != nullptr);
        QCOMPARE(mixItem->text(), caption);
        mixItem->trigger();
        QCOMPARE(requiredMix(form), mix);
        // The commands' depth: the mix's MOD at 1.6.
        QCOMPARE(form.txtTargetDepth->text(), form.txtTargetMOD->text());
    }

    void ownMixIsAddedOnceAndRemembered() {
        auto form = std::make_unique<TestedMainWindow>();
        form->txtTargetO2->setText(QStringLiteral("25"));
        form->txtTargetHe->setText(QStringLiteral("25"));
        form->txtTargetN->setText(QStringLiteral("50"));
        item(*form, QStringLiteral("mnuAddMix"))->trigger();
        item(*form, QStringLiteral("mnuAddMix"))->trigger();
        QCOMPARE(form->findChildren<QAction*>(QStringLiteral("mnuMix25_25")).size(), 1);

        form = std::make_unique<TestedMainWindow>();
        item(*form, QStringLiteral("mnuMix25_25"))->trigger();
        QCOMPARE(requiredMix(*form), QStringLiteral("25/25/50"));
    }
};

QTEST_MAIN(MixesMenuTest)
#include "test_mixes_menu.moc"
