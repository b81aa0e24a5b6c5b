// The settings file guard: anything but a regular file where the calculator's settings go
// is refused, so the window neither hangs on it nor stores through it, and uses its
// defaults; a missing or regular file is used as before.
#include "settings_file_guard.h"
#include "test_support.h"
#include "units_setting.h"

#include <QDir>
#include <QFile>
#include <QtTest/QtTest>

#include <sys/stat.h>
#include <unistd.h>

using quillan::report::UnitSystem;

class SettingsFileGuardTest : public QObject {
    Q_OBJECT

  private slots:
    // Once: QSettings keeps the configuration folder it first found.
    void initTestCase() {
        testsupport::useFreshRegistry();
        config_ = qEnvironmentVariable("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(config_ + "/no-system-config"));
    }

    void cleanup() {
        QDir(config_ + "/Quillan").removeRecursively();
        QFile::remove(config_ + "/Quillan.conf");
    }

    void usesOnlyARegularFile_data() {
        QTest::addColumn<QString>("file"); // below XDG_CONFIG_HOME
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("safe");
        QTest::newRow("missing") << "Quillan/Quillan1.conf"
                                 << "none" << true;
        QTest::newRow("regular") << "Quillan/Quillan1.conf"
                                 << "file" << true;
        QTest::newRow("fifo") << "Quillan/Quillan1.conf"
                              << "fifo" << false;
        QTest::newRow("folder") << "Quillan/Quillan1.conf"
                                << "folder" << false;
        QTest::newRow("organisation's fifo") << "Quillan.conf"
                                             << "fifo" << false;
    }

    void usesOnlyARegularFile() {
        QFETCH(QString, file);
        QFETCH(QString, kind);
        QFETCH(bool, safe);
        const QString path = config_ + "/" + file;
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        const QByteArray name = QFile::encodeName(path);
        if (kind == "file")
            QVERIFY(QFile(path).open(QIODevice::WriteOnly));
        else if (kind == "fifo")
            QCOMPARE(::mkfifo(name.constData(), 0600), 0);
        else if (kind == "folder")
            QVERIFY(QDir().mkdir(path));

        ::alarm(10); // a hang ends the test rather than stalling the run
        QCOMPARE(SettingsFileIsSafe(), safe);
        SaveUnitSystem(UnitSystem::BarAndMetres);
        QCOMPARE(SavedUnitSystem(), safe ? UnitSystem::BarAndMetres : UnitSystem::PsiAndFeet);
        ::alarm(0);
        struct stat st {};
        QCOMPARE(::stat(name.constData(), &st), 0);
        QCOMPARE(S_ISREG(st.st_mode), safe);
    }

  private:
    QString config_;
};

QTEST_MAIN(SettingsFileGuardTest)
#include "test_settings_file_guard.moc"
