// The main window as it opens: its controls, texts, fonts, layout, focus and menus, the
// help text, and the two message boxes of the Help menu.
#include "controls/clickable_label.h"
#include "controls/twips_layout.h"
#include "instructions/help_text.h"
#include "test_support.h"
#include "tested_main_window.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest/QtTest>

#include <memory>

namespace {

const QString kSeparator(109, QLatin1Char('-'));

QString plainCaption(QString text) {
    return text.remove(QLatin1Char('&'));
}

QString describe(const QRect& rect) {
    return QStringLiteral("(%1,%2 %3x%4)")
        .arg(rect.x())
        .arg(rect.y())
        .arg(rect.width())
        .arg(rect.height());
}

// The part of a control that shows something: a label's box is often larger than its
// text (the layout lets a label's empty bottom row touch the field below it, or its
// empty right end reach under the next label).
QRect inkRect(const QWidget* control) {
    const auto* label = qobject_cast<const QLabel*>(control);
    if (label == nullptr)
        return control->geometry();
    const QSize text = label->wordWrap()
                           ? QSize(label->width(), label->heightForWidth(label->width()))
                           : label->sizeHint();
    QRect ink(label->pos(), text.boundedTo(label->size()));
    if (label->alignment() & Qt::AlignRight)
        ink.moveRight(label->geometry().right());
    return ink;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QVERIFY(testsupport::registerComponentLibrary());
        testsupport::setReportClock(QDateTime(QDate(2026, 12, 6), QTime(17, 7)));
    }

    void init() {
        form = std::make_unique<TestedMainWindow>();
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }

    void cleanup() { form.reset(); }

    void opensWithTitleAndHelpText();
    void controlTexts_data();
    void controlTexts();
    void readOnlyFields_data();
    void readOnlyFields();
    void tabVisitsTheEditableControlsInOrder();
    void shiftTabGoesBackwards();
    void linksAndMenusTakeNoFocus();
    void instructionsLinkBringsBackTheHelpText();
    void menus();
    void helpMenuBoxes_data();
    void helpMenuBoxes();
    void accessKeysPressTheButtons_data();
    void accessKeysPressTheButtons();
    void twipsBecomePixels_data();
    void twipsBecomePixels();
    void windowStartsAtTheDesignedSize();
    void fontsAndColours();
    void noTextIsClippedOrCovered();

  private:
    std::unique_ptr<TestedMainWindow> form;
};

void MainWindowTest::opensWithTitleAndHelpText() {
    QCOMPARE(form->objectName(), QStringLiteral("frmMain"));
    QCOMPARE(form->windowTitle(), QStringLiteral("Quillan v1.0.3 **BETA**"));
    const QStringList lines = testsupport::listLines(form->lstBlendingInstructions);
    QCOMPARE(lines, instructions::HelpText());
    QCOMPARE(lines.size(), 40);
    QCOMPARE(lines[0], form->windowTitle());
    QCOMPARE(lines[1], QStringLiteral("06-Dec-2026  05:07 PM"));
    QCOMPARE(lines[2], kSeparator);
    QCOMPARE(QApplication::focusWidget(), form->txtSourcePSI);
    QVERIFY(!form->windowIcon().isNull());
}

void MainWindowTest::controlTexts_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    const std::pair<const char*, const char*> rows[] = {
        {"frmStartingCylinder", "Starting Mix  [Source]"},
        {"frmRequired", "Required Mix   [Target]"},
        {"frmBlendingInstructions", "Blending"},
        {"lblLabel", "Starting PSI"},
        {"Label1", "O2 %"},
        {"Label2", "He % "},
        {"Label6", "N % "},
        {"txtSourcePSI", "0"},
        {"txtSourceO2", "0"},
        {"txtSourceHe", "0"},
        {"txtSourceN", "0"},
        {"Label5", "Required PSI"},
        {"Label4", "O2 %"},
        {"Label3", "He %"},
        {"Label7", "N % "},
        {"txtTargetPSI", "0"},
        {"txtTargetO2", "0"},
        {"txtTargetHe", "0"},
        {"txtTargetN", "0"},
        {"txtTargetMOD", "0"},
        {"Label11", "Target Depth (fsw)"},
        {"Label12", "END"},
        {"Label13", "PO2"},
        {"txtTargetDepth", "0"},
        {"txtTargetEND", "0"},
        {"txtTargetPO2", "0"},
        {"Label8", "O2 %"},
        {"lblTopN", "N % "},
        {"Label9", "Top up mix"},
        {"txtTopO2", "21"},
        {"txtTopN", "79"},
        {"lblTopup", "Top up Starting Mix with Air and calculate final mix"},
        {"cmdTopWithAir", "Calcula&te"},
        {"Label16", "Calculate how to obtain the Required Mix"},
        {"cmdCalc", "&Calculate"},
        {"lblInstrictions", "Instructions"},
        {"cmdPrint", "Print..."},
        {"cmdlblSave", "Save to file..."},
    };
    for (const auto& [name, text] : rows)
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(text);
}

void MainWindowTest::controlTexts() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    // Names repeat across groups ("Label1" to "Label3" are also the disclaimer's), so look
    // inside this window only and expect exactly one.
    const QList<QWidget*> found = form->findChildren<QWidget*>(name);
    QCOMPARE(found.size(), 1);
    QWidget* control = found.first();
    if (auto* label = qobject_cast<QLabel*>(control))
        QCOMPARE(label->text(), text);
    else if (auto* field = qobject_cast<QLineEdit*>(control))
        QCOMPARE(field->text(), text);
    else if (auto* button = qobject_cast<QPushButton*>(control))
        QCOMPARE(button->text(), text);
    else if (auto* group = qobject_cast<QGroupBox*>(control))
        QCOMPARE(group->title(), text);
    else
        QFAIL("unexpected kind of control");
}

void MainWindowTest::readOnlyFields_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("readOnly");
    for (const char* name :
         {"txtSourceN", "txtTargetN", "txtTargetMOD", "txtTargetEND", "txtTargetPO2", "txtTopN"})
        QTest::newRow(name) << QString::fromLatin1(name) << true;
    for (const char* name : {"txtSourcePSI", "txtSourceO2", "txtSourceHe", "txtTargetPSI",
                             "txtTargetO2", "txtTargetHe", "txtTargetDepth", "txtTopO2"})
        QTest::newRow(name) << QString::fromLatin1(name) << false;
}

void MainWindowTest::readOnlyFields() {
    QFETCH(QString, name);
    QFETCH(bool, readOnly);
    auto* field = form->findChild<QLineEdit*>(name);
    QVERIFY(field);
    const QString before = field->text();
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, QStringLiteral("57"));
    QCOMPARE(field->text(), readOnly ? before : QStringLiteral("57"));
    QCOMPARE(bool(field->focusPolicy() & Qt::TabFocus), !readOnly);
    const QColor base = field->palette().color(QPalette::Base);
    QCOMPARE(base == QColor(227, 227, 227), readOnly);
}

void MainWindowTest::tabVisitsTheEditableControlsInOrder() {
    const QStringList expected{"txtSourceO2",
                               "txtSourceHe",
                               "txtTargetPSI",
                               "txtTargetO2",
                               "txtTargetHe",
                               "txtTargetDepth",
                               "lstBlendingInstructions",
                               "txtTopO2",
                               "cmdTopWithAir",
                               "cmdCalc",
                               "txtSourcePSI"};
    QStringList visited;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, expected);
}

void MainWindowTest::shiftTabGoesBackwards() {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), form->cmdCalc);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), form->cmdTopWithAir);
}

void MainWindowTest::linksAndMenusTakeNoFocus() {
    for (QWidget* link :
         {static_cast<QWidget*>(form->lblInstrictions), static_cast<QWidget*>(form->cmdPrint),
          static_cast<QWidget*>(form->cmdlblSave), static_cast<QWidget*>(form->menuBar())})
        QCOMPARE(link->focusPolicy(), Qt::NoFocus);
    QTest::mouseClick(form->lblInstrictions, Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), form->txtSourcePSI);
}

void MainWindowTest::instructionsLinkBringsBackTheHelpText() {
    form->txtTargetPSI->setText(QStringLiteral("3000"));
    form->txtTargetO2->setText(QStringLiteral("32"));
    form->txtTargetN->setText(QStringLiteral("68"));
    QTest::mouseClick(form->cmdCalc, Qt::LeftButton);
    QCOMPARE(form->lstBlendingInstructions->count(), 15);

    QSignalSpy clicks(form->lblInstrictions, &ClickableLabel::clicked);
    QTest::mouseClick(form->lblInstrictions, Qt::LeftButton);
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(testsupport::listLines(form->lstBlendingInstructions), instructions::HelpText());

    // A press that ends outside the link is not a click.
    QTest::mousePress(form->lblInstrictions, Qt::LeftButton);
    QTest::mouseRelease(form->lblInstrictions, Qt::LeftButton, {}, QPoint(-5, -5));
    QCOMPARE(clicks.count(), 1);
}

void MainWindowTest::menus() {
    QCOMPARE(form->mnuFile->objectName(), QStringLiteral("mnuFile"));
    QCOMPARE(form->mnuFile->title(), QStringLiteral("&File"));
    QCOMPARE(form->mnuHelp->title(), QStringLiteral("&Help"));
    QStringList fileItems, helpItems;
    for (const QAction* action : form->mnuFile->actions())
        fileItems << action->objectName() + QLatin1Char('=') + action->text();
    for (const QAction* action : form->mnuHelp->actions())
        helpItems << action->objectName() + QLatin1Char('=') +
                         (action->isSeparator() ? QStringLiteral("-") : action->text());
    QCOMPARE(fileItems,
             (QStringList{"mnuSave=&Save to file...", "mnuPrint=&Print...",
                          "mnuRecordFill=&Record this fill...", "b0=", "mnuExit=&Exit"}));
    QCOMPARE(form->mnuSave->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    QCOMPARE(form->mnuPrint->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
    QCOMPARE(helpItems,
             (QStringList{"mnuAbout=&About", "b1=-", "mnuReportError=&Report an Error"}));
    const QList<QAction*> bar = form->menuBar()->actions();
    // View (the fill log), Options (units, gas model, temperatures, checkpoints, prices, the
    // least-drain plan, the diver's PO2), then Tools and Mixes, sit between File and Help.
    QCOMPARE(bar.size(), 6);
    QCOMPARE(bar[0]->menu(), form->mnuFile);
    QCOMPARE(bar[1]->menu()->objectName(), QStringLiteral("mnuView"));
    QCOMPARE(bar[1]->menu()->actions().value(0)->objectName(), QStringLiteral("mnuFillLog"));
    QCOMPARE(bar[2]->menu(), form->mnuOptions);
    QCOMPARE(bar[3]->menu()->objectName(), QStringLiteral("mnuTools"));
    QCOMPARE(bar[4]->menu()->objectName(), QStringLiteral("mnuMixes"));
    QCOMPARE(bar[5]->menu(), form->mnuHelp);
    QCOMPARE(form->mnuOptions->title(), QStringLiteral("&Options"));
    QStringList optionItems;
    for (const QAction* action : form->mnuOptions->actions())
        optionItems << (action->menu() ? action->menu()->objectName() : action->objectName()) +
                           QLatin1Char('=') + action->text();
    QCOMPARE(optionItems, (QStringList{"mnuUnits=&Units", "mnuGasModel=&Gas model",
                                       "mnuTemperatures=&Temperatures...",
                                       "mnuCheckpoints=Analyser &checkpoints and gas density",
                                       "mnuPrices=P&rices...", "mnuLeastDrain=&Least-drain plan",
                                       "mnuDivePO2=Diver's &PO2...",
                                       "mnuModAtDivePO2=&MOD at the diver's PO2 in the report"}));
}

void MainWindowTest::helpMenuBoxes_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("About") << "mnuAbout"
                           << QStringList{
                                  "Quillan gas blending calculator, by the Divers' Workshop",
                                  "Version: 1.0.3"};
    QTest::newRow("Report an Error")
        << "mnuReportError"
        << QStringList{"Please report errors to quillan@divers-workshop.org",
                       "Please include the version number 1.0.3 and error details.", "Thank you"};
}

void MainWindowTest::helpMenuBoxes() {
    QFETCH(QString, item);
    QFETCH(QStringList, lines);
    auto* action = form->findChild<QAction*>(item);
    QVERIFY(action);
    const auto box = testsupport::closeNextModal([&] { action->trigger(); });
    QVERIFY(box);
    QCOMPARE(box->title, QStringLiteral("Quillan v1.0.3 **BETA**"));
    QCOMPARE(box->text, lines.join(QStringLiteral("\r\n")));
    QCOMPARE(box->buttons, QStringList{"OK"});
    QVERIFY(!box->hasIcon);
}

void MainWindowTest::accessKeysPressTheButtons_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("secondLine");
    QTest::newRow("Alt+C") << int(Qt::Key_C)
                           << "Calculate [Empty cylinder] to Nitrox 32 by adding He, O2 and Air";
    QTest::newRow("Alt+T") << int(Qt::Key_T) << "Top [Empty cylinder] with Air to 3000 PSI";
}

void MainWindowTest::accessKeysPressTheButtons() {
    QFETCH(int, key);
    QFETCH(QString, secondLine);
    form->txtTargetPSI->setText(QStringLiteral("3000"));
    form->txtTargetO2->setText(QStringLiteral("32"));
    form->txtTargetN->setText(QStringLiteral("68"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::AltModifier);
    // An access key clicks the button the way Qt animates it, a moment later.
    QTRY_COMPARE(form->lstBlendingInstructions->item(1)->text(), secondLine);
}

void MainWindowTest::twipsBecomePixels_data() {
    QTest::addColumn<int>("twips");
    QTest::addColumn<int>("pixels");
    // 15 twips to the pixel, to the nearest pixel.
    const std::pair<int, int> rows[] = {{0, 0},      {7, 0},      {8, 1},     {15, 1},
                                        {22, 1},     {23, 2},     {60, 4},    {1155, 77},
                                        {7155, 477}, {7305, 487}, {9795, 653}};
    for (const auto& [twips, pixels] : rows)
        QTest::addRow("%d", twips) << twips << pixels;
}

void MainWindowTest::twipsBecomePixels() {
    QFETCH(int, twips);
    QFETCH(int, pixels);
    QCOMPARE(layout::twips(twips), pixels);
    QCOMPARE(layout::twipsRect(twips, 0, twips, 0), QRect(pixels, 0, pixels, 0));
}

void MainWindowTest::windowStartsAtTheDesignedSize() {
    QCOMPARE(form->centralWidget()->size(), QSize(487, 653));
    QCOMPARE(form->height(), 653 + form->menuBar()->height());
    QCOMPARE(form->maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX)); // resizable
    QVERIFY(!(form->windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(form->windowFlags() & Qt::WindowMaximizeButtonHint));
}

void MainWindowTest::fontsAndColours() {
    for (const QGroupBox* group : form->findChildren<QGroupBox*>()) {
        QCOMPARE(group->font().family(), QStringLiteral("Verdana"));
        QCOMPARE(group->font().pointSizeF(), 9.75);
        QVERIFY(group->font().bold());
        QVERIFY(group->styleSheet().contains(QStringLiteral("rgb(0, 0, 255)")));
    }
    for (const QWidget* control : form->centralWidget()->findChildren<QWidget*>()) {
        if (qobject_cast<const QGroupBox*>(control) || control == form->lstBlendingInstructions ||
            control->parentWidget() == form->lstBlendingInstructions ||
            !control->objectName().startsWith(QStringLiteral("txt")))
            continue;
        QCOMPARE(control->font().family(), QStringLiteral("Verdana"));
        QCOMPARE(control->font().pointSizeF(), 8.25);
        QVERIFY(!control->font().bold());
    }
    for (const QLabel* label : form->centralWidget()->findChildren<QLabel*>()) {
        QCOMPARE(label->font().pointSizeF(), 8.25);
        QVERIFY(!label->font().bold());
    }
    // Tahoma 9.75 pt, or a little smaller where the stand-in font is wider: every help
    // line, the separator included, fits the list without scrolling sideways.
    const QListWidget* list = form->lstBlendingInstructions;
    QCOMPARE(list->font().family(), QStringLiteral("Tahoma"));
    QVERIFY(!list->font().bold());
    QVERIFY(list->font().pointSizeF() <= 9.75 && list->font().pointSizeF() >= 6.0);
    QVERIFY(!list->horizontalScrollBar()->isVisible());
    for (int row = 0; row < list->count(); ++row)
        QVERIFY2(list->fontMetrics().horizontalAdvance(list->item(row)->text()) <
                     list->viewport()->width(),
                 qPrintable(list->item(row)->text()));
    for (const QLabel* link :
         {static_cast<QLabel*>(form->lblInstrictions), static_cast<QLabel*>(form->cmdPrint),
          static_cast<QLabel*>(form->cmdlblSave)})
        QCOMPARE(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QVERIFY(form->cmdPrint->alignment() & Qt::AlignRight);
    QVERIFY(form->cmdlblSave->alignment() & Qt::AlignRight);
}

void MainWindowTest::noTextIsClippedOrCovered() {
    const QList<QWidget*> all = form->centralWidget()->findChildren<QWidget*>();
    for (const QWidget* control : all) {
        const QFontMetrics metrics(control->font());
        const QString name = control->objectName();
        if (const auto* label = qobject_cast<const QLabel*>(control)) {
            const int needed = label->wordWrap() ? label->heightForWidth(label->width())
                                                 : label->sizeHint().height();
            QVERIFY2(needed <= label->height(), qPrintable(name));
            if (!label->wordWrap()) {
                QVERIFY2(metrics.horizontalAdvance(label->text()) <= label->width(),
                         qPrintable(name));
                QVERIFY2(label->size().expandedTo(label->sizeHint()) == label->size(),
                         qPrintable(name));
            }
        } else if (const auto* button = qobject_cast<const QPushButton*>(control)) {
            QVERIFY2(metrics.horizontalAdvance(plainCaption(button->text())) + 8 <= button->width(),
                     qPrintable(name));
            QVERIFY2(button->sizeHint().width() <= button->width(), qPrintable(name));
            QVERIFY2(metrics.height() <= button->height(), qPrintable(name));
        } else if (const auto* field = qobject_cast<const QLineEdit*>(control)) {
            QVERIFY2(metrics.height() + 2 <= field->height(), qPrintable(name));
        }
    }
    // Controls of one group neither overlap nor leave it.
    for (const QGroupBox* group : form->findChildren<QGroupBox*>()) {
        QList<QWidget*> controls;
        for (QWidget* child : group->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (child->height() > 1) // the lines cross nothing they could hide
                controls << child;
        for (const QWidget* control : controls)
            QVERIFY2(group->rect().contains(control->geometry()),
                     qPrintable(control->objectName()));
        for (qsizetype i = 0; i < controls.size(); ++i)
            for (qsizetype j = i + 1; j < controls.size(); ++j)
                QVERIFY2(!inkRect(controls[i]).intersects(inkRect(controls[j])),
                         qPrintable(controls[i]->objectName() + " / " + controls[j]->objectName() +
                                    " " + describe(inkRect(controls[i])) + " " +
                                    describe(inkRect(controls[j]))));
    }
}

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
