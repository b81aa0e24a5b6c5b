// The message boxes and the About dialog as a person sees them: titles, texts, buttons,
// and the keys that close or press them. Each blocking call is answered from a timer.
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

#include "common_ops.h"
#include "error_display.h"
#include "frm_about.h"
#include "qor/registry.h"
#include "qor/runtime.h"

using qor::about::frmAbout;

namespace {

// Calls `inspect` with the modal window once one that `wanted` accepts is up (polling,
// as it opens inside the blocking call made right after this). Stops when `active` is
// cleared, so a poll never reaches into a later test.
void whenModal(
    std::function<void(QWidget*)> inspect,
    std::function<bool(QWidget*)> wanted = [](QWidget*) { return true; },
    std::shared_ptr<bool> active = std::make_shared<bool>(true), int attemptsLeft = 500) {
    QTimer::singleShot(5, [=]() {
        if (!*active)
            return;
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && modal->isVisible() && wanted(modal))
            inspect(modal);
        else if (attemptsLeft > 0)
            whenModal(inspect, wanted, active, attemptsLeft - 1);
    });
}

bool isMessageBox(QWidget* w) {
    return qobject_cast<QMessageBox*>(w) != nullptr;
}

// The About dialog that the library opened: it comes from QorCommon1Gui.so, whose frmAbout
// is not the copy built into this program, so it is known by its class name.
QDialog* asAboutDialog(QWidget* w) {
    return w->inherits("qor::about::frmAbout") ? qobject_cast<QDialog*>(w) : nullptr;
}

struct SeenBox {
    QString objectName;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::Information;
    QList<QAbstractButton*>::size_type buttons = 0;
    bool okOnly = false;
    bool modal = false;
};

// Reads the message box once it is up and presses its OK button.
void readAndConfirmBox(SeenBox& seen, std::shared_ptr<bool> active = std::make_shared<bool>(true)) {
    whenModal(
        [&seen](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            seen.objectName = box->objectName();
            seen.title = box->windowTitle();
            seen.text = box->text();
            seen.icon = box->icon();
            seen.buttons = box->buttons().size();
            seen.okOnly = box->standardButtons() == QMessageBox::Ok;
            seen.modal = box->isModal();
            box->button(QMessageBox::Ok)->click();
        },
        isMessageBox, std::move(active));
}

QString fourLines(const QString& module, const QString& procedure, const QString& number,
                  const QString& description) {
    return QStringLiteral("Error at: ") + module + QLatin1Char('.') + procedure +
           QStringLiteral("\nCondition = \nNumber = ") + number +
           QStringLiteral("\nDescription = ") + description;
}

void putValue(const char* key, const char* name, DWORD type, const QByteArray& bytes) {
    HKEY handle = nullptr;
    QCOMPARE(RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                             &handle, nullptr),
             ERROR_SUCCESS);
    QCOMPARE(RegSetValueExA(handle, name, 0, type, reinterpret_cast<const BYTE*>(bytes.constData()),
                            static_cast<DWORD>(bytes.size())),
             ERROR_SUCCESS);
    RegCloseKey(handle);
}

constexpr const char* kMsInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr const char* kLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir home_;

    void clearSysInfoKeys() {
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kMsInfoKey);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kLocationKey);
    }
    // A stand-in viewer that leaves a mark when it runs.
    QString makeViewer(const QString& path, const QString& mark) {
        QFile script(path);
        if (!script.open(QIODevice::WriteOnly))
            return {};
        script.write(QStringLiteral("#!/bin/sh\ntouch '%1'\n").arg(mark).toUtf8());
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }
    // Presses "&System Info..." with Alt+S in an open About dialog; returns the message
    // box seen, if any, and leaves the dialog open.
    void pressSysInfo(SeenBox& seen, bool& stillOpen) {
        whenModal([&seen, &stillOpen](QWidget* modal) {
            auto* dialog = asAboutDialog(modal);
            QVERIFY(dialog != nullptr);
            dialog->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(dialog));
            // A box, if one comes, opens and closes within the button's click.
            const auto active = std::make_shared<bool>(true);
            readAndConfirmBox(seen, active);
            // The access key presses the button the animated way, a moment later.
            QSignalSpy pressed(dialog->findChild<QPushButton*>(QStringLiteral("cmdSysInfo")),
                               &QPushButton::clicked);
            QTest::keyClick(dialog, Qt::Key_S, Qt::AltModifier);
            QVERIFY(pressed.wait(2000));
            *active = false;
            stillOpen = dialog->isVisible();
            dialog->reject();
        });
    }

  private slots:
    void initTestCase() {
        QVERIFY(home_.isValid());
        qputenv("XDG_DATA_HOME", home_.filePath(QStringLiteral("data")).toUtf8());
        qputenv("HOME", home_.path().toUtf8());
        qputenv("XDG_DATA_DIRS", home_.filePath(QStringLiteral("none")).toUtf8());
    }

    void errorTextIsFourLinesJoinedByCarriageReturnLineFeed() {
        const std::u16string text =
            qor::common::buildErrorText(u"Velkin.QorCommon1.dll.Common.PadString", u"SelectText",
                                        -2147220504, u"The pad char must be 1 char long", u"");
        QCOMPARE(QString::fromStdU16String(text),
                 QStringLiteral("Error at: Velkin.QorCommon1.dll.Common.PadString.SelectText\r\n"
                                "Condition = \r\nNumber = -2147220504\r\n"
                                "Description = The pad char must be 1 char long"));
        QCOMPARE(
            QString::fromStdU16String(qor::common::buildErrorText(u"m", u"p", 0, u"", u"cond")),
            QStringLiteral("Error at: m.p\r\nCondition = cond\r\nNumber = 0\r\n"
                           "Description = "));
    }

    void showErrorShowsTheFourLinesUntilClosed() {
        SeenBox seen;
        readAndConfirmBox(seen);
        ErrObject* err = qor::createErrObject(13, u"Somewhere", u"Type mismatch");
        qor::common::ShowError(u"frmMain", u"cmdTopWithAir_Click", err, u"Topping up");
        err->Release();
        QCOMPARE(seen.objectName, QStringLiteral("msgApplicationError"));
        QCOMPARE(seen.title, QStringLiteral("Application Error"));
        QCOMPARE(seen.text, QStringLiteral("Error at: frmMain.cmdTopWithAir_Click\n"
                                           "Condition = Topping up\nNumber = 13\n"
                                           "Description = Type mismatch"));
        QCOMPARE(seen.icon, QMessageBox::NoIcon);
        QCOMPARE(seen.buttons, 1);
        QVERIFY(seen.okOnly);
        QVERIFY(seen.modal);
    }

    void showErrorClosesWithEscapeAndEnter() {
        for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
            bool closed = false;
            whenModal([key, &closed](QWidget* modal) {
                QTest::keyClick(modal, key);
                closed = !modal->isVisible();
            });
            ErrObject* err = qor::createErrObject(0, u"", u"");
            qor::common::ShowError(u"m", u"p", err, u"");
            err->Release();
            QVERIFY(closed);
        }
    }

    void showErrorWithoutAnErrorObjectFailsUnchanged() {
        try {
            qor::common::ShowError(u"m", u"p", nullptr, u"");
            QFAIL("no error raised");
        } catch (const qor::AutomationError& err) {
            QCOMPARE(err.number, 91);
            QCOMPARE(QString::fromStdU16String(err.source), QStringLiteral("QorCommon1"));
        }
    }

    void padStringShowsItsFailuresAndReturnsEmpty_data() {
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("pad");
        QTest::addColumn<bool>("truncate");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("description");
        QTest::newRow("two pad chars") << "abc" << 6 << "00" << false << "-2147220504"
                                       << "The pad char must be 1 char long";
        QTest::newRow("empty pad char") << "abc" << 6 << "" << true << "-2147220504"
                                        << "The pad char must be 1 char long";
        QTest::newRow("longer, no truncation")
            << "abcdef" << 4 << "0" << false << "-2147220504"
            << "The input string is longer than the Pad Length and the calling code wanted an "
               "error raised.";
        QTest::newRow("negative length") << "" << -1 << "0" << true << "5"
                                         << "Invalid procedure call or argument";
        QTest::newRow("beyond sixteen bits")
            << QString(32768, QLatin1Char('a')) << 10 << "0" << true << "6"
            << "Overflow";
    }

    void padStringShowsItsFailuresAndReturnsEmpty() {
        QFETCH(QString, input);
        QFETCH(int, length);
        QFETCH(QString, pad);
        QFETCH(bool, truncate);
        QFETCH(QString, number);
        QFETCH(QString, description);
        SeenBox seen;
        readAndConfirmBox(seen);
        const std::u16string result =
            qor::common::PadString(input.toStdU16String(), static_cast<std::int16_t>(length),
                                   pad.toStdU16String(), 0, truncate);
        QVERIFY(result.empty());
        QCOMPARE(seen.title, QStringLiteral("Application Error"));
        QCOMPARE(seen.text, fourLines(QStringLiteral("Velkin.QorCommon1.dll.Common.PadString"),
                                      QStringLiteral("SelectText"), number, description));
        QVERIFY(seen.okOnly);
    }

    void formLoadShowsTheLibrarysOwnTexts() {
        frmAbout dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("About QorCommon1"));
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("lblTitle"))->text(),
                 QStringLiteral("QorCommon1"));
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("lblVersion"))->text(),
                 QStringLiteral("Version 1.0.3"));
    }

    void aboutDialogLayoutAsDesigned() {
        frmAbout dialog;
        QCOMPARE(dialog.objectName(), QStringLiteral("frmAbout"));
        QCOMPARE(dialog.size(), QSize(382, 237));
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
        QVERIFY(dialog.windowFlags().testFlag(Qt::Tool));
        QVERIFY(!dialog.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!dialog.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));

        const struct {
            const char* name;
            QRect geometry;
            double pointSize;
        } labels[] = {{"lblDisclaimer", QRect(8, 172, 258, 55), 8.25},
                      {"lblVersion", QRect(8, 144, 367, 15), 9.75},
                      {"lblTitle", QRect(8, 124, 367, 20), 9.75}};
        for (const auto& l : labels) {
            auto* label = dialog.findChild<QLabel*>(QLatin1String(l.name));
            QVERIFY2(label != nullptr, l.name);
            QCOMPARE(label->geometry(), l.geometry);
            QCOMPARE(label->font().family(), QStringLiteral("Verdana"));
            QCOMPARE(label->font().pointSizeF(), l.pointSize);
            QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::black));
            QVERIFY(!label->autoFillBackground());
        }
        auto* disclaimer = dialog.findChild<QLabel*>(QStringLiteral("lblDisclaimer"));
        QVERIFY(disclaimer->wordWrap());
        QVERIFY(!disclaimer->text().isEmpty());

        auto* image = dialog.findChild<QLabel*>(QStringLiteral("Image1"));
        QVERIFY(image != nullptr);
        QCOMPARE(image->geometry(), QRect(0, 0, 780, 411));
        QCOMPARE(image->pixmap().size(), QSize(780, 411));
        // Behind every other control.
        QCOMPARE(dialog.children().indexOf(image), 0);

        const auto lines = dialog.findChildren<QFrame*>(QStringLiteral("Line1"));
        QCOMPARE(lines.size(), 2);
        for (QFrame* line : lines) {
            const bool light = line->property("index").toInt() == 0;
            QCOMPARE(line->geometry(), light ? QRect(7, 164, 369, 2) : QRect(6, 163, 370, 1));
            QCOMPARE(line->palette().color(QPalette::Window),
                     light ? QColor(255, 255, 255) : QColor(128, 128, 128));
        }

        auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"));
        auto* sysInfo = dialog.findChild<QPushButton*>(QStringLiteral("cmdSysInfo"));
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QCOMPARE(ok->geometry(), QRect(283, 175, 84, 23));
        QVERIFY(ok->isDefault());
        QCOMPARE(sysInfo->text(), QStringLiteral("&System Info..."));
        QCOMPARE(sysInfo->geometry(), QRect(284, 205, 83, 23));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(dialog.focusWidget(), ok);
        QTest::keyClick(&dialog, Qt::Key_Tab);
        QCOMPARE(dialog.focusWidget(), sysInfo);
        QTest::keyClick(&dialog, Qt::Key_Tab);
        QCOMPARE(dialog.focusWidget(), ok);
    }

    void showAppVersionShowsTheCallersTextsUntilClosed_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Escape") << int(Qt::Key_Escape);
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("OK clicked") << 0;
    }

    void showAppVersionShowsTheCallersTextsUntilClosed() {
        QFETCH(int, key);
        QString title;
        QString name;
        QString version;
        bool focusOnOk = false;
        bool closed = false;
        whenModal([&](QWidget* modal) {
            auto* dialog = asAboutDialog(modal);
            QVERIFY(dialog != nullptr);
            title = dialog->windowTitle();
            name = dialog->findChild<QLabel*>(QStringLiteral("lblTitle"))->text();
            version = dialog->findChild<QLabel*>(QStringLiteral("lblVersion"))->text();
            auto* ok = dialog->findChild<QPushButton*>(QStringLiteral("cmdOK"));
            focusOnOk = dialog->focusWidget() == ok;
            if (key == 0)
                ok->click();
            else
                QTest::keyClick(dialog, static_cast<Qt::Key>(key));
            closed = !dialog->isVisible();
        });
        qor::common::ShowAppVersion(u"Demo", u"2.1");
        QVERIFY(closed);
        QCOMPARE(title, QStringLiteral("About Demo"));
        QCOMPARE(name, QStringLiteral("Demo"));
        QCOMPARE(version, QStringLiteral("2.1"));
        QVERIFY(focusOnOk);
    }

    void getKeyValueReadsTextAndNumbers() {
        clearSysInfoKeys();
        putValue(kMsInfoKey, "WithNul", REG_SZ, QByteArray("viewer", 7));
        putValue(kMsInfoKey, "NoNul", REG_SZ, QByteArray("viewer"));
        putValue(kMsInfoKey, "Number", REG_DWORD, QByteArray("\xff\xff\xff\xff", 4));
        putValue(kMsInfoKey, "Small", REG_DWORD, QByteArray("\x02\x01\x00\x00", 4));
        putValue(kMsInfoKey, "Other", REG_NONE, QByteArray("abc"));
        std::u16string value = u"before";
        QVERIFY(frmAbout::GetKeyValue(HKEY_LOCAL_MACHINE, kMsInfoKey, "WithNul", value));
        QCOMPARE(QString::fromStdU16String(value), QStringLiteral("viewer"));
        QVERIFY(frmAbout::GetKeyValue(HKEY_LOCAL_MACHINE, kMsInfoKey, "NoNul", value));
        QCOMPARE(QString::fromStdU16String(value), QStringLiteral("viewer"));
        QVERIFY(frmAbout::GetKeyValue(HKEY_LOCAL_MACHINE, kMsInfoKey, "Number", value));
        QCOMPARE(QString::fromStdU16String(value), QStringLiteral("4294967295"));
        QVERIFY(frmAbout::GetKeyValue(HKEY_LOCAL_MACHINE, kMsInfoKey, "Small", value));
        QCOMPARE(QString::fromStdU16String(value), QStringLiteral("258"));
        value = u"kept";
        QVERIFY(frmAbout::GetKeyValue(HKEY_LOCAL_MACHINE, kMsInfoKey, "Other", value));
        QCOMPARE(QString::fromStdU16String(value), QStringLiteral("kept"));
        QVERIFY(!frmAbout::GetKeyValue(HKEY_LOCAL_MACHINE, kMsInfoKey, "Missing", value));
        QVERIFY(value.empty());
        value = u"x";
        QVERIFY(!frmAbout::GetKeyValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Nowhere", "PATH", value));
        QVERIFY(value.empty());
        clearSysInfoKeys();
    }

    void getKeyValueFailsOnAnEmptyValue() {
        clearSysInfoKeys();
        putValue(kMsInfoKey, "Empty", REG_SZ, QByteArray());
        std::u16string value;
        try {
            frmAbout::GetKeyValue(HKEY_LOCAL_MACHINE, kMsInfoKey, "Empty", value);
            QFAIL("no error raised");
        } catch (const qor::AutomationError& err) {
            QCOMPARE(err.number, 5);
        }
        clearSysInfoKeys();
    }

    void sysInfoUnavailableShowsTheMessageAndKeepsTheDialog_data() {
        QTest::addColumn<bool>("folderOnly");
        QTest::addColumn<bool>("emptyPath");
        QTest::newRow("no keys") << false << false;
        QTest::newRow("folder without the viewer") << true << false;
        QTest::newRow("empty program value") << false << true;
    }

    void sysInfoUnavailableShowsTheMessageAndKeepsTheDialog() {
        QFETCH(bool, folderOnly);
        QFETCH(bool, emptyPath);
        clearSysInfoKeys();
        if (folderOnly)
            putValue(kLocationKey, "MSINFO", REG_SZ, home_.path().toUtf8() + '\0');
        if (emptyPath)
            putValue(kMsInfoKey, "PATH", REG_SZ, QByteArray("", 1));
        SeenBox seen;
        bool stillOpen = false;
        pressSysInfo(seen, stillOpen);
        qor::common::ShowAppVersion(u"Demo", u"2.1");
        QCOMPARE(seen.title, QStringLiteral("QorCommon1"));
        QCOMPARE(seen.text, QStringLiteral("System Information Is Unavailable At This Time"));
        QVERIFY(seen.okOnly);
        QVERIFY(stillOpen);
        clearSysInfoKeys();
    }

    void sysInfoStartsTheRegisteredViewer_data() {
        QTest::addColumn<bool>("fromFolder");
        QTest::newRow("program path") << false;
        QTest::newRow("viewer in the registered folder") << true;
    }

    void sysInfoStartsTheRegisteredViewer() {
        QFETCH(bool, fromFolder);
        clearSysInfoKeys();
        const QString mark = home_.filePath(QStringLiteral("viewer-ran"));
        QFile::remove(mark);
        if (fromFolder) {
            QVERIFY(!makeViewer(home_.filePath(QStringLiteral("MSINFO32.EXE")), mark).isEmpty());
            putValue(kLocationKey, "MSINFO", REG_SZ, home_.path().toUtf8() + '\0');
        } else {
            const QString viewer = makeViewer(home_.filePath(QStringLiteral("viewer.sh")), mark);
            putValue(kMsInfoKey, "PATH", REG_SZ, viewer.toUtf8() + '\0');
        }
        SeenBox seen;
        bool stillOpen = false;
        pressSysInfo(seen, stillOpen);
        qor::common::ShowAppVersion(u"Demo", u"2.1");
        QVERIFY(seen.title.isEmpty());
        QVERIFY(stillOpen);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(mark), 5000);
        clearSysInfoKeys();
    }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
