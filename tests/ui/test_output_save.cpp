// "Save to file...": the dialog, the bytes written, the file opened afterwards, and the
// failures that must leave an existing file exactly as it was.
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include <csignal>
#include <sys/fsuid.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "controls/clickable_label.h"
#include "library/common_calls.h"
#include "test_fields_support.h"
#include "test_support.h"
#include "tested_main_window.h"

using fieldtest::click;
using fieldtest::errorReport;
using fieldtest::ModalCloser;

namespace {

const QByteArray kSeparatorLine = QByteArray(109, '-') + "\r\n";

// An `xdg-open` of the test's own, first on PATH: it notes what it was asked to open,
// so the desktop is never involved.
class FakeOpener {
  public:
    FakeOpener() {
        const QString script = m_folder.filePath(QStringLiteral("xdg-open"));
        QFile file(script);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write the fake opener");
        file.write(
            QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$1\" >> '%1'\n").arg(log()).toUtf8());
        file.close();
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                            QFileDevice::ExeOwner);
        m_oldPath = qgetenv("PATH");
        qputenv("PATH", m_folder.path().toLocal8Bit() + ':' + m_oldPath);
    }
    ~FakeOpener() { qputenv("PATH", m_oldPath); }

    QStringList opened() const {
        QFile file(log());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

  private:
    QString log() const { return m_folder.filePath(QStringLiteral("opened.log")); }

    QTemporaryDir m_folder;
    QByteArray m_oldPath;
};

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray expectedBytes(const QListWidget* list) {
    QByteArray bytes;
    for (const QString& line : testsupport::listLines(list))
        bytes += line.toUtf8() + "\r\n";
    return bytes;
}

// Answers the save dialog with `path`, as a user typing the name and pressing Save.
void chooseFile(ModalCloser& closer, const QString& path) {
    closer.onFileDialog = [path](QFileDialog* dialog) {
        dialog->selectFile(path);
        QMetaObject::invokeMethod(dialog, "accept"); // what the Save button does
    };
}

// The library's Common object is created on first use, reading the registry: that must
// happen before the test takes file access away.
void loadTheLibrary() {
    QCOMPARE(library::NulltoString(QStringLiteral("x")), QStringLiteral("x"));
}

// As root, the file-system checks are made for an unprivileged user while it lives, so
// that a read-only folder is read-only for the test too.
class UnprivilegedFileAccess {
  public:
    UnprivilegedFileAccess() {
        if (geteuid() == 0)
            setfsuid(kNobody);
    }
    ~UnprivilegedFileAccess() {
        if (geteuid() == 0)
            setfsuid(0);
    }
    static bool works() {
        if (geteuid() != 0)
            return true;
        setfsuid(kNobody);
        const bool changed = setfsuid(kNobody) == static_cast<int>(kNobody);
        setfsuid(0);
        return changed;
    }

  private:
    static constexpr uid_t kNobody = 65534;
};

// Writes fail once a file grows past `bytes`, as on a full disk.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

  private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

} // namespace

class OutputSaveTest : public QObject {
    Q_OBJECT

  private slots:
    // The dialog offers the plan's mix (or "Instructions") and today's date; a new name
    // without an extension becomes a text file.
    void fileNames_data() {
        QTest::addColumn<QStringList>("names"); // typed, saved, offered before the date
        QTest::newRow("help text") << QStringList{"report", "report.txt", "Instructions "};
        QTest::newRow("plan") << QStringList{"report.csv", "report.csv", "Nitrox 32 "};
    }
    void fileNames() {
        QFETCH(QStringList, names);
        auto w = fieldtest::openMainWindow();
        w->txtTargetPSI->setText(QStringLiteral("3000"));
        w->txtTargetO2->setText(QStringLiteral("32"));
        if (QTest::currentDataTag() == QByteArray("plan"))
            click(w->cmdCalc);
        QTemporaryDir folder;
        FakeOpener opener;
        ModalCloser closer;
        QString offered;
        closer.onFileDialog = [&](QFileDialog* dialog) {
            offered = QFileInfo(dialog->selectedFiles().value(0)).fileName();
            dialog->selectFile(folder.filePath(names[0]));
            QMetaObject::invokeMethod(dialog, "accept");
        };
        click(w->cmdlblSave);
        QCOMPARE(offered, names[2] + QDate::currentDate().toString(Qt::ISODate) + ".txt");
        QTRY_COMPARE(opener.opened(), QStringList{folder.filePath(names[1])});
    }

    void savesTheHelpTextAndOpensIt() {
        auto w = fieldtest::openMainWindow();
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("help.txt"));
        FakeOpener opener;
        ModalCloser closer;
        chooseFile(closer, path);
        click(w->cmdlblSave);

        QCOMPARE(closer.seen.size(), 1);
        const QByteArray bytes = readAll(path);
        QCOMPARE(bytes, expectedBytes(w->lstBlendingInstructions));
        const QList<QByteArray> lines = bytes.split('\n');
        QCOMPARE(lines.size(), 41); // 40 lines, each ended by CR LF
        QVERIFY(lines.last().isEmpty());
        QCOMPARE(lines[3], QByteArray("\r"));
        QCOMPARE(lines[4], QByteArray("\r"));
        QVERIFY(bytes.endsWith(kSeparatorLine));
        QVERIFY(bytes.startsWith(w->windowTitle().toUtf8() + "\r\n"));
        QTRY_COMPARE(opener.opened(), QStringList{path});
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files),
                 QStringList{QStringLiteral("help.txt")});
    }

    void savesAReportOverAnExistingFileWithoutAsking() {
        auto w = fieldtest::openMainWindow();
        w->lstBlendingInstructions->clear();
        w->lstBlendingInstructions->addItems(
            {QStringLiteral("Mix 1"), QString(), QStringLiteral("Zürich 18°")});
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("report"));
        writeFile(path, QByteArray(5000, 'x'));
        FakeOpener opener;
        ModalCloser closer;
        chooseFile(closer, path);
        click(w->cmdlblSave);

        QCOMPARE(closer.seen.size(), 1); // the dialog, and no question about overwriting
        QCOMPARE(readAll(path), QByteArray("Mix 1\r\n\r\nZ\xc3\xbcrich 18\xc2\xb0\r\n"));
        QTRY_COMPARE(opener.opened(), QStringList{path}); // no extension added
    }

    void dialogAsTheWindowDesignedIt() {
        auto w = fieldtest::openMainWindow();
        FakeOpener opener;
        ModalCloser closer;
        QString title;
        QString directory;
        QStringList filters;
        QString selectedFilter;
        bool confirmsOverwrite = true;
        QString suffix = QStringLiteral("unset");
        QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
        closer.onFileDialog = [&](QFileDialog* dialog) {
            title = dialog->windowTitle();
            directory = dialog->directory().absolutePath();
            filters = dialog->nameFilters();
            selectedFilter = dialog->selectedNameFilter();
            confirmsOverwrite = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
            suffix = dialog->defaultSuffix();
            mode = dialog->acceptMode();
            dialog->reject();
        };
        click(w->cmdlblSave);

        QCOMPARE(title, QStringLiteral("Save File"));
        QCOMPARE(directory, QDir::currentPath());
        QCOMPARE(filters, (QStringList{"Text Files (*.txt)", "All Files (*.*)"}));
        QCOMPARE(selectedFilter, QStringLiteral("Text Files (*.txt)"));
        QVERIFY(!confirmsOverwrite);
        QCOMPARE(suffix, QString());
        QCOMPARE(mode, QFileDialog::AcceptSave);
        // Cancel is reported as an error, and nothing is opened.
        QCOMPARE(closer.seen.size(), 2);
        QCOMPARE(closer.seen[1].title, QStringLiteral("Application Error"));
        QCOMPARE(closer.seen[1].text, errorReport(QStringLiteral("cmdlblSave_Click"), 32755,
                                                  QStringLiteral("Cancel was selected.")));
        QTest::qWait(50);
        QVERIFY(opener.opened().isEmpty());
    }

    void emptyListSavesAndOpensNothing() {
        auto w = fieldtest::openMainWindow();
        w->lstBlendingInstructions->clear();
        FakeOpener opener;
        ModalCloser closer;
        click(w->cmdlblSave);
        QVERIFY(closer.seen.isEmpty());
        QTest::qWait(50);
        QVERIFY(opener.opened().isEmpty());
    }

    // Mended: a failed save leaves the old file exactly as it was and opens nothing.
    void readOnlyFolderKeepsTheOldFile() {
        if (!UnprivilegedFileAccess::works())
            QSKIP("cannot drop root's file access for a read-only folder");
        auto w = fieldtest::openMainWindow();
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("old.txt"));
        const QByteArray old("the previous report\r\n");
        writeFile(path, old);
        QVERIFY(QFile::setPermissions(folder.path(),
                                      QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                          QFileDevice::ReadOther | QFileDevice::ExeOther));
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                QFileDevice::ReadOther | QFileDevice::WriteOther));
        FakeOpener opener;
        ModalCloser closer;
        chooseFile(closer, path);
        loadTheLibrary();
        {
            UnprivilegedFileAccess unprivileged;
            click(w->cmdlblSave);
        }
        QVERIFY(QFile::setPermissions(folder.path(), QFileDevice::ReadOwner |
                                                         QFileDevice::WriteOwner |
                                                         QFileDevice::ExeOwner));
        QCOMPARE(closer.seen.size(), 2);
        QVERIFY2(
            closer.seen[1].text.startsWith(QStringLiteral("Error at: frmMain.cmdlblSave_Click\n"
                                                          "Condition = \nNumber = 75\n"
                                                          "Description = Could not create ") +
                                           path),
            qPrintable(closer.seen[1].text));
        QCOMPARE(readAll(path), old);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files),
                 QStringList{QStringLiteral("old.txt")});
        QTest::qWait(50);
        QVERIFY(opener.opened().isEmpty());
    }

    void fullDiskKeepsTheOldFile() {
        auto w = fieldtest::openMainWindow();
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("old.txt"));
        const QByteArray old("the previous report\r\n");
        writeFile(path, old);
        FakeOpener opener;
        ModalCloser closer;
        chooseFile(closer, path);
        loadTheLibrary();
        {
            FileSizeLimit limit(100); // the help text is far longer
            click(w->cmdlblSave);
        }
        QCOMPARE(closer.seen.size(), 2);
        QVERIFY2(
            closer.seen[1].text.startsWith(QStringLiteral("Error at: frmMain.cmdlblSave_Click\n"
                                                          "Condition = \nNumber = 57\n"
                                                          "Description = Could not write ") +
                                           path),
            qPrintable(closer.seen[1].text));
        QCOMPARE(readAll(path), old);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files),
                 QStringList{QStringLiteral("old.txt")});
        QTest::qWait(50);
        QVERIFY(opener.opened().isEmpty());
    }

    void deviceIsWrittenNotReplaced() {
        const QString device = QStringLiteral("/dev/full");
        struct stat before {};
        if (stat("/dev/full", &before) != 0 || !S_ISCHR(before.st_mode))
            QSKIP("no /dev/full here");
        auto w = fieldtest::openMainWindow();
        FakeOpener opener;
        ModalCloser closer;
        chooseFile(closer, device);
        click(w->cmdlblSave);
        QCOMPARE(closer.seen.size(), 2);
        QVERIFY2(closer.seen[1].text.startsWith(
                     QStringLiteral("Error at: frmMain.cmdlblSave_Click\n"
                                    "Condition = \nNumber = 57\n"
                                    "Description = Could not write /dev/full")),
                 qPrintable(closer.seen[1].text));
        struct stat after {};
        QCOMPARE(stat("/dev/full", &after), 0);
        QVERIFY(S_ISCHR(after.st_mode));
        QCOMPARE(after.st_rdev, before.st_rdev);
        QTest::qWait(50);
        QVERIFY(opener.opened().isEmpty());
    }
};

QTEST_MAIN(OutputSaveTest)
#include "test_output_save.moc"
