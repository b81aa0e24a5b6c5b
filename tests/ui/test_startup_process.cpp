// Start-up as a whole, in a child process: the disclaimer, then the main window, and the
// ways the program ends (declining, closing the disclaimer, File > Exit, closing the main
// window).
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest/QtTest>

class StartupProcessTest : public QObject {
    Q_OBJECT

  private slots:
    void endings_data();
    void endings();
};

void StartupProcessTest::endings_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QStringList>("windows");
    QTest::newRow("I Do Not Accept ends the program")
        << "decline" << QStringList{"shown frmDisclaimer"};
    QTest::newRow("I Accept, then Exit")
        << "accept-exit"
        << QStringList{"shown frmDisclaimer", "hidden frmDisclaimer", "shown frmMain"};
    QTest::newRow("I Accept, then close the main window")
        << "accept-close"
        << QStringList{"shown frmDisclaimer", "hidden frmDisclaimer", "shown frmMain"};
    // Dismissing a safety disclaimer must never accept it.
    QTest::newRow("closing the disclaimer declines")
        << "close" << QStringList{"shown frmDisclaimer"};
    QTest::newRow("the disclaimer's close box declines")
        << "close-box" << QStringList{"shown frmDisclaimer"};
}

void StartupProcessTest::endings() {
    QFETCH(QString, mode);
    QFETCH(QStringList, windows);
    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.path());
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("XDG_DATA_DIRS"), home.filePath(QStringLiteral("none")));
    QProcess driver;
    driver.setProcessEnvironment(environment);
    driver.start(QStringLiteral(STARTUP_DRIVER_PATH), {mode});
    QVERIFY(driver.waitForFinished(30000));
    const QString output = QString::fromLocal8Bit(driver.readAllStandardOutput());
    QCOMPARE(driver.exitStatus(), QProcess::NormalExit);
    QCOMPARE(driver.exitCode(), 0);
    // Nothing runs after the program is told to end: no more windows, no event loop exit.
    QCOMPARE(output.split(QLatin1Char('\n'), Qt::SkipEmptyParts), windows);
}

QTEST_GUILESS_MAIN(StartupProcessTest)
#include "test_startup_process.moc"
