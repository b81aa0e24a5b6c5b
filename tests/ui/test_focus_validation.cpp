// The validate mechanism on a small window: which focus moves validate, and what a
// cancel keeps from happening.
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest/QTest>

#include <map>
#include <memory>

#include "controls/clickable_label.h"
#include "fields/focus_validation.h"
#include "test_fields_support.h"

using fieldtest::click;
using fieldtest::ModalCloser;
using fieldtest::pressKey;
using fieldtest::typeText;

namespace {

// Two validated fields (the second refuses "bad" with a message box), one field without
// handlers, a list, two buttons with access keys and a link label.
struct TestWindow {
    QWidget window;
    QLineEdit* first = new QLineEdit(QStringLiteral("1"));
    QLineEdit* second = new QLineEdit(QStringLiteral("2"));
    QLineEdit* plain = new QLineEdit(QStringLiteral("3"));
    QListWidget* list = new QListWidget;
    QPushButton* top = new QPushButton(QStringLiteral("Calcula&te"));
    QPushButton* calc = new QPushButton(QStringLiteral("&Calculate"));
    ClickableLabel* link = new ClickableLabel(QStringLiteral("Save to file..."));
    std::map<QString, int> gotFocus;
    std::map<QString, int> validated;
    int topClicks = 0;
    int calcClicks = 0;
    int linkClicks = 0;
    int startGotFocus = 0;

    TestWindow() {
        auto* layout = new QVBoxLayout(&window);
        for (QWidget* w :
             std::initializer_list<QWidget*>{first, second, plain, list, top, calc, link})
            layout->addWidget(w);
        first->setObjectName(QStringLiteral("first"));
        second->setObjectName(QStringLiteral("second"));
        list->addItem(QStringLiteral("line"));
        QObject::connect(top, &QPushButton::clicked, [this] { ++topClicks; });
        QObject::connect(calc, &QPushButton::clicked, [this] { ++calcClicks; });
        QObject::connect(link, &ClickableLabel::clicked, [this] { ++linkClicks; });

        auto* validation = new FocusValidation(window);
        for (QLineEdit* field : {first, second}) {
            validation->addField(
                field, [this, field] { ++gotFocus[field->objectName()]; },
                [this, field](bool& Cancel) {
                    ++validated[field->objectName()];
                    Cancel = field->text() == QStringLiteral("bad");
                    if (Cancel) {
                        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Invalid entry"),
                                        QStringLiteral("no"), QMessageBox::Ok, &window);
                        box.exec();
                        field->selectAll();
                    }
                });
        }
        window.show();
        window.activateWindow();
        first->setFocus();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTRY_COMPARE(QApplication::focusWidget(), first);
        startGotFocus = gotFocus[QStringLiteral("first")];
        gotFocus.clear();
    }

    void enterBad() {
        QVERIFY(QApplication::focusWidget() == first);
        pressKey(&window, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), second);
        typeText(&window, QStringLiteral("bad"));
        validated.clear();
        gotFocus.clear();
    }

    // After a cancel: one validation, one box, the focus kept with the text selected,
    // and no got-focus anywhere.
    void expectKept(const ModalCloser& closer) {
        QCOMPARE(validated[QStringLiteral("second")], 1);
        QCOMPARE(closer.seen.size(), 1);
        QTRY_COMPARE(QApplication::focusWidget(), second);
        QVERIFY(window.isActiveWindow());
        QCOMPARE(second->selectedText(), QStringLiteral("bad"));
        QVERIFY(gotFocus.empty());
    }
};

} // namespace

class FocusValidationTest : public QObject {
    Q_OBJECT

  private slots:
    void initialFocusRaisesGotFocusOnce() {
        TestWindow w;
        QCOMPARE(w.startGotFocus, 1);
        QVERIFY(w.validated.empty());
    }

    void tabAndBacktabValidateAndRaiseGotFocus() {
        TestWindow w;
        pressKey(&w.window, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w.second);
        QCOMPARE(w.validated[QStringLiteral("first")], 1);
        QCOMPARE(w.gotFocus[QStringLiteral("second")], 1);
        pressKey(&w.window, Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), w.first);
        QCOMPARE(w.validated[QStringLiteral("second")], 1);
        QCOMPARE(w.gotFocus[QStringLiteral("first")], 1);
    }

    void cancelKeepsTheFocus_data() {
        QTest::addColumn<int>("move");
        QTest::newRow("Tab") << 0;
        QTest::newRow("Shift+Tab") << 1;
        QTest::newRow("click on a field") << 2;
        QTest::newRow("click on the list") << 3;
        QTest::newRow("click on an unvalidated field") << 4;
    }

    void cancelKeepsTheFocus() {
        QFETCH(int, move);
        TestWindow w;
        w.enterBad();
        ModalCloser closer;
        switch (move) {
        case 0:
            pressKey(&w.window, Qt::Key_Tab);
            break;
        case 1:
            pressKey(&w.window, Qt::Key_Backtab);
            break;
        case 2:
            click(w.first);
            break;
        case 3:
            click(w.list->viewport());
            break;
        case 4:
            click(w.plain);
            break;
        }
        w.expectKept(closer);
        QCOMPARE(w.second->text(), QStringLiteral("bad"));
    }

    void cancelledButtonIsNotClicked_data() {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("mouse") << false;
        QTest::newRow("access key") << true;
    }

    void cancelledButtonIsNotClicked() {
        QFETCH(bool, byKey);
        TestWindow w;
        w.enterBad();
        ModalCloser closer;
        if (byKey)
            pressKey(&w.window, Qt::Key_C, Qt::AltModifier);
        else
            click(w.calc);
        w.expectKept(closer);
        // An access key clicks after a short animation: give it the time it would take.
        QTest::qWait(250);
        QCOMPARE(w.calcClicks, 0);
        QVERIFY(!w.calc->isDown());
    }

    void acceptedButtonIsClickedAndTakesTheFocus_data() {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("mouse") << false;
        QTest::newRow("access key") << true;
    }

    void acceptedButtonIsClickedAndTakesTheFocus() {
        QFETCH(bool, byKey);
        TestWindow w;
        if (byKey)
            pressKey(&w.window, Qt::Key_T, Qt::AltModifier);
        else
            click(w.top);
        QTRY_COMPARE(w.topClicks, 1);
        QCOMPARE(QApplication::focusWidget(), w.top);
        QCOMPARE(w.validated[QStringLiteral("first")], 1);
        QCOMPARE(w.calcClicks, 0);
    }

    void linkLabelCodeAndClosingValidateNothing() {
        TestWindow w;
        w.enterBad();
        ModalCloser closer;
        click(w.link);
        QCOMPARE(w.linkClicks, 1);
        w.second->setText(QStringLiteral("bad"));
        w.first->setText(QStringLiteral("bad"));
        w.window.close();
        QVERIFY(w.validated.empty());
        QVERIFY(w.gotFocus.empty());
        QVERIFY(closer.seen.isEmpty());
    }

    void clickOnTheFocusedFieldValidatesNothing() {
        TestWindow w;
        w.enterBad();
        ModalCloser closer;
        click(w.second);
        QVERIFY(w.validated.empty());
        QVERIFY(closer.seen.isEmpty());
    }

    void leavingAnUnvalidatedControlValidatesNothing() {
        TestWindow w;
        click(w.plain);
        QCOMPARE(QApplication::focusWidget(), w.plain);
        QCOMPARE(w.validated[QStringLiteral("first")], 1);
        w.validated.clear();
        for (int key : {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Backtab})
            pressKey(&w.window, key); // list, button, list, plain field
        QCOMPARE(QApplication::focusWidget(), w.plain);
        QVERIFY(w.validated.empty());
        pressKey(&w.window, Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), w.second);
        QCOMPARE(w.gotFocus[QStringLiteral("second")], 1);
    }

    void fixedEntryThenLeavesAndRaisesGotFocusOnce() {
        TestWindow w;
        w.enterBad();
        {
            ModalCloser closer;
            pressKey(&w.window, Qt::Key_Tab);
            w.expectKept(closer);
        }
        typeText(&w.window, QStringLiteral("5"));
        click(w.first);
        QCOMPARE(QApplication::focusWidget(), w.first);
        QCOMPARE(w.validated[QStringLiteral("second")], 2);
        QCOMPARE(w.gotFocus[QStringLiteral("first")], 1);
        QVERIFY(!w.gotFocus.contains(QStringLiteral("second")));
    }
};

QTEST_MAIN(FocusValidationTest)
#include "test_focus_validation.moc"
