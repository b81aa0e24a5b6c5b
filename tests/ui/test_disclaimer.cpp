// The disclaimer dialog in the test's own process: texts, layout, focus, and the ways
// it may and may not be closed. Declining, by its button or by the close command, ends the
// process, so that is tested with the start-up driver in a child process
// (test_startup_process).
#include "test_support.h"
#include "window/frm_disclaimer.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest/QtTest>

using testsupport::child;

class DisclaimerTest : public QObject {
    Q_OBJECT

  private slots:
    void captionIsTheProgramTitle();
    void texts_data();
    void texts();
    void layoutAndFonts();
    void focusStartsOnAccept();
    void escapeDoesNothing();
    void acceptClosesTheDialog();
};

void DisclaimerTest::captionIsTheProgramTitle() {
    frmDisclaimer dialog;
    QCOMPARE(dialog.objectName(), QStringLiteral("frmDisclaimer"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Quillan v1.0.3 **BETA**"));
    QVERIFY(!dialog.windowIcon().isNull());
}

void DisclaimerTest::texts_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");
    QTest::newRow("Label2")
        << "Label2" << -1
        << "Warning - Mixing your own breathing gas and using it for scuba diving "
           "can cause serious injury or death. It's that simple.";
    QTest::newRow("Label1(0)")
        << "Label1" << 0
        << "This software is designed to assist in partial pressure gas mixing. "
           "It does not in any way release the diver from calculating their own "
           "mixes, ensuring they are suitable for the intended depth and time, "
           "and ensuring the contents have been properly analyzed before use.";
    QTest::newRow("Label1(1)")
        << "Label1" << 1
        << "DO YOU ACCEPT RESPONSIBILITY FOR YOUR ACTIONS AND AGREE TO HOLD "
           "HARMLESS THE DEVELOPER FOR ANY ERRORS OR OMMISSIONS THIS SOFTWARE "
           "MAY HAVE?";
    QTest::newRow("Label3") << "Label3" << -1 << "quillan@divers-workshop.org";
    QTest::newRow("OKButton") << "OKButton" << -1 << "I Accept";
    QTest::newRow("CancelButton") << "CancelButton" << -1 << "I Do Not Accept";
}

void DisclaimerTest::texts() {
    QFETCH(QString, name);
    QFETCH(int, index);
    QFETCH(QString, text);
    frmDisclaimer dialog;
    QStringList found;
    for (const QWidget* control : dialog.findChildren<QWidget*>(name)) {
        if (index >= 0 && control->property("Index").toInt() != index)
            continue;
        if (const auto* label = qobject_cast<const QLabel*>(control))
            found << label->text();
        else if (const auto* button = qobject_cast<const QPushButton*>(control))
            found << button->text();
    }
    QCOMPARE(found, QStringList{text});
}

void DisclaimerTest::layoutAndFonts() {
    frmDisclaimer dialog;
    QCOMPARE(dialog.size(), QSize(388, 270));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    QCOMPARE(child<QPushButton>(dialog, "OKButton")->geometry(), QRect(16, 240, 173, 25));
    QCOMPARE(child<QPushButton>(dialog, "CancelButton")->geometry(), QRect(196, 240, 173, 25));
    auto* warning = dialog.findChild<QLabel*>(QStringLiteral("Label2"));
    // 12 pt, or a little smaller where the stand-in font is wider (checked to fit below).
    QVERIFY(warning->font().pointSizeF() <= 12.0 && warning->font().pointSizeF() >= 6.0);
    QVERIFY(warning->font().bold());
    QCOMPARE(warning->palette().color(QPalette::WindowText), QColor(192, 0, 0));
    auto* contact = dialog.findChild<QLabel*>(QStringLiteral("Label3"));
    QCOMPARE(contact->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QVERIFY(contact->alignment() & Qt::AlignHCenter);
    QCOMPARE(dialog.findChildren<QFrame*>(QStringLiteral("Line1")).size(), 2);
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        QVERIFY(label->wordWrap() || label->sizeHint().width() <= label->width());
        QVERIFY2(!label->wordWrap() || label->heightForWidth(label->width()) <= label->height(),
                 qPrintable(label->objectName()));
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
        QVERIFY2(label->geometry().bottom() < child<QPushButton>(dialog, "OKButton")->y(),
                 qPrintable(label->objectName()));
    }
    for (const QPushButton* button :
         {child<QPushButton>(dialog, "OKButton"), child<QPushButton>(dialog, "CancelButton")})
        QVERIFY(!button->isDefault());
}

void DisclaimerTest::focusStartsOnAccept() {
    frmDisclaimer dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(QApplication::focusWidget(), child<QPushButton>(dialog, "OKButton"));
    QTest::keyClick(child<QPushButton>(dialog, "OKButton"), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), child<QPushButton>(dialog, "CancelButton"));
}

void DisclaimerTest::escapeDoesNothing() {
    frmDisclaimer dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QTest::qWait(20);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

void DisclaimerTest::acceptClosesTheDialog() {
    frmDisclaimer dialog;
    const bool responded = testsupport::respondToNextModal(
        [&] { dialog.exec(); },
        [](QWidget* modal) {
            QCOMPARE(modal->objectName(), QStringLiteral("frmDisclaimer"));
            QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("OKButton")),
                              Qt::LeftButton);
        });
    QVERIFY(responded);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

QTEST_MAIN(DisclaimerTest)
#include "test_disclaimer.moc"
