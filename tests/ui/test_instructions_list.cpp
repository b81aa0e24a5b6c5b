// The instructions list from the keyboard: select all, copy as plain text, the context
// menu, the focus frame; and the File menu's Save and Print with their shortcuts.
#include "instructions/help_text.h"
#include "instructions/instructions_list.h"
#include "test_fields_support.h"
#include "test_support.h"
#include "tested_main_window.h"

#include <QAction>
#include <QClipboard>
#include <QFileDialog>
#include <QtTest/QtTest>

using fieldtest::ModalCloser;

class InstructionsListTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        window = fieldtest::openMainWindow();
        QGuiApplication::clipboard()->clear();
    }
    void cleanup() { window.reset(); }

    void ctrlASelectsAllAndCtrlCCopiesThem();
    // Ctrl+A then Ctrl+C wherever the focus is: the list's, unless a field takes them.
    void windowWideKeys_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("selectedLines");
        QTest::addColumn<QString>("copied");
        QTest::newRow("button") << "cmdCalc" << 40 << instructions::HelpText().join('\n');
        QTest::newRow("field") << "txtTopO2" << 0 << "21";
    }
    void windowWideKeys() {
        QFETCH(QString, focus);
        window->findChild<QWidget*>(focus)->setFocus();
        fieldtest::pressKey(window.get(), Qt::Key_A, Qt::ControlModifier);
        fieldtest::pressKey(window.get(), Qt::Key_C, Qt::ControlModifier);
        QTEST(int(window->lstBlendingInstructions->selectedItems().size()), "selectedLines");
        QTEST(QGuiApplication::clipboard()->text(), "copied");
    }
    void copyKeepsListOrder();
    void contextMenu();
    void focusFrame();
    void ctrlSSaves();

  private:
    std::unique_ptr<TestedMainWindow> window;
};

void InstructionsListTest::ctrlASelectsAllAndCtrlCCopiesThem() {
    QVERIFY(fieldtest::tabTo(window.get(), window->lstBlendingInstructions));
    fieldtest::pressKey(window.get(), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(window->lstBlendingInstructions->selectedItems().size(), 40);
    fieldtest::pressKey(window.get(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(),
             instructions::HelpText().join(QLatin1Char('\n')));
}

void InstructionsListTest::copyKeepsListOrder() {
    InstructionsList* list = window->lstBlendingInstructions;
    QVERIFY(fieldtest::tabTo(window.get(), list));
    list->clear();
    list->addItems({"first", "", "third", "fourth"});
    for (const int row : {3, 0, 1})
        list->item(row)->setSelected(true);
    fieldtest::pressKey(window.get(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("first\n\nfourth"));
}

void InstructionsListTest::contextMenu() {
    InstructionsList* list = window->lstBlendingInstructions;
    QCOMPARE(list->contextMenuPolicy(), Qt::ActionsContextMenu);
    QStringList captions;
    for (const QAction* action : list->actions())
        captions << action->text();
    QCOMPARE(captions, (QStringList{"&Copy", "Copy &All"}));
    QVERIFY(!list->copyAction->isEnabled()); // nothing selected yet
    list->item(2)->setSelected(true);
    QVERIFY(list->copyAction->isEnabled());
    list->copyAction->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), instructions::HelpText()[2]);
    list->copyAllAction->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(),
             instructions::HelpText().join(QLatin1Char('\n')));
    QCOMPARE(list->selectedItems().size(), 1); // Copy All leaves the selection alone
}

void InstructionsListTest::focusFrame() {
    InstructionsList* list = window->lstBlendingInstructions;
    const QColor highlight = list->palette().color(QPalette::Highlight);
    const auto edgeColour = [list] {
        return QColor(list->grab().toImage().pixel(0, list->height() / 2));
    };
    QVERIFY(edgeColour() != highlight);
    QVERIFY(fieldtest::tabTo(window.get(), list));
    QCOMPARE(edgeColour(), highlight);
    fieldtest::pressKey(window.get(), Qt::Key_Tab);
    QVERIFY(!list->hasFocus());
    QVERIFY(edgeColour() != highlight);
}

// File > Save to file... (Ctrl+S) runs the same command as the link: the save dialog.
void InstructionsListTest::ctrlSSaves() {
    ModalCloser closer;
    fieldtest::pressKey(window.get(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(closer.seen.size(), 2);
    QCOMPARE(closer.seen[0].title, QStringLiteral("Save File"));
    QCOMPARE(closer.seen[1].text, fieldtest::errorReport(QStringLiteral("cmdlblSave_Click"), 32755,
                                                         QStringLiteral("Cancel was selected.")));
}

QTEST_MAIN(InstructionsListTest)
#include "test_instructions_list.moc"
