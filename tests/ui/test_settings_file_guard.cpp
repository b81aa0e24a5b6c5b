// Anything but a regular file where the calculator's settings go is refused: the window
// neither hangs on it (the test would time out) nor stores through it, and uses defaults.
#include "options/calculator_settings.h"
#include "test_support.h"

#include <QDir>
#include <QtTest/QtTest>

#include <sys/stat.h>

using quillan::UnitSystem;

class SettingsFileGuardTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { testsupport::useFreshRegistry(); } // QSettings keeps its first folder
    void cleanup() { QDir(qEnvironmentVariable("XDG_CONFIG_HOME")).removeRecursively(); }

    void usesOnlyARegularFile_data() {
        QTest::addColumn<QString>("file"); // below XDG_CONFIG_HOME
        QTest::addColumn<int>("kind");     // made by mknod; 0 for none
        for (const QString file : {"Quillan/Quillan1.conf", "Quillan.conf"}) {
            QTest::addRow("%s missing", qPrintable(file)) << file << 0;
            QTest::addRow("%s regular", qPrintable(file)) << file << int(S_IFREG);
            QTest::addRow("%s fifo", qPrintable(file)) << file << int(S_IFIFO);
        }
    }

    void usesOnlyARegularFile() {
        QFETCH(QString, file);
        QFETCH(int, kind);
        const QString path = qEnvironmentVariable("XDG_CONFIG_HOME") + "/" + file;
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QVERIFY(kind == 0 || ::mknod(QFile::encodeName(path), mode_t(kind) | 0600, 0) == 0);
        CalculatorSettings().setUnits(UnitSystem::BarAndMetres);
        const bool safe = kind != S_IFIFO;
        QCOMPARE(CalculatorSettings().units(),
                 safe ? UnitSystem::BarAndMetres : UnitSystem::PsiAndFeet);
        QVERIFY(kind == 0 || QFileInfo(path).isFile() == safe); // a FIFO stays one
    }
};

QTEST_MAIN(SettingsFileGuardTest)
#include "test_settings_file_guard.moc"
