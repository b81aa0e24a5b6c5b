#include "window/frm_main.h"

#include "controls/clickable_label.h"
#include "controls/twips_layout.h"
#include "fields/field_handlers.h"
#include "fields/mix_at_depth.h"
#include "fields/unit_figures.h"
#include "instructions/help_text.h"
#include "instructions/instructions_list.h"
#include "instructions/instructions_output.h"
#include "log/fill_log_dialog.h"
#include "marks/danger_marks.h"
#include "marks/window_colours.h"
#include "options/calculator_settings.h"
#include "options/fill_options_menu.h"
#include "options/gas_model_menu.h"
#include "options/prices_menu.h"
#include "options/units_menu.h"
#include "program/app_title.h"
#include "program/end_program.h"
#include "tools/banks_dialog.h"
#include "tools/dive_tools.h"
#include "window/cylinder_choice.h"
#include "window/window_icon.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QWindow>

using layout::addLabel;
using layout::twipsRect;

namespace {

QGroupBox* addGroup(QWidget* parent, const char* name, const QString& caption,
                    const QRect& geometry) {
    auto* group = new QGroupBox(caption, parent);
    layout::place(group, name, geometry, layout::verdana(9.75, true));
    // The caption colour is set before the group's controls exist, so that they are
    // polished once (applyWindowColours changes it only when the palette asks for another).
    group->setStyleSheet(QStringLiteral("QGroupBox::title { color: rgb(0, 0, 255); }"));
    return group;
}

QLineEdit* addField(QWidget* parent, const char* name, const QString& text, const QRect& geometry,
                    bool readOnly = false) {
    auto* field = new QLineEdit(text, parent);
    layout::place(field, name, geometry, layout::defaultFont());
    // Read-only fields are written by the program only, skipped by Tab, and grey (see
    // applyWindowColours).
    if (readOnly) {
        field->setReadOnly(true);
        field->setFocusPolicy(Qt::ClickFocus);
    }
    return field;
}

QPushButton* addButton(QWidget* parent, const char* name, const QString& caption,
                       const QRect& geometry) {
    auto* button = new QPushButton(caption, parent);
    layout::place(button, name, geometry, layout::defaultFont());
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

ClickableLabel* addLink(QWidget* parent, const char* name, const QString& caption,
                        const QRect& geometry, Qt::Alignment alignment) {
    auto* link = new ClickableLabel(caption, parent);
    layout::place(link, name, geometry, layout::defaultFont());
    link->setAlignment(alignment | Qt::AlignTop);
    return link;
}

} // namespace

frmMain::frmMain(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Quillan"));
    setWindowIcon(WindowIcon());
    setFont(layout::defaultFont());

    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("client"));
    client_->installEventFilter(this);
    setCentralWidget(client_);
    buildStartingGroup(client_);
    buildRequiredGroup(client_);
    buildBlendingGroup(client_);
    buildMenus();
    setTabOrderAndFocus();
    applyWindowColours(*this);
    installDangerMarks(fields_.txtTargetPO2, {fields_.txtSourceO2, fields_.txtTargetO2});
    installDensityMark(fields_.txtTargetDensity);

    resize(layout::twips(7305), layout::twips(9795) + menuBar()->sizeHint().height());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
        FitToScreen(screen->availableGeometry());
    }

    connect(cmdCalc, &QPushButton::clicked, this, &frmMain::cmdCalc_Click);
    connect(cmdTopWithAir, &QPushButton::clicked, this, &frmMain::cmdTopWithAir_Click);
    connect(lblInstrictions, &ClickableLabel::clicked, this, &frmMain::lblInstrictions_Click);
    connect(cmdlblSave, &ClickableLabel::clicked, this,
            [this] { saveInstructions(*lstBlendingInstructions, suggestedFileName()); });
    connect(cmdPrint, &ClickableLabel::clicked, this,
            [this] { printInstructions(*lstBlendingInstructions); });
    installFieldValidation(*this, fields_, [this] { return m_units; });
    watchPlanInputs();
    m_unitFigures = new UnitFigures(*this, fields_);
    SetUnits(CalculatorSettings().units());

    // Form_Load
    setWindowTitle(program::GetAppTitle());
    instructions::LoadInstructions(*lstBlendingInstructions);
}

void frmMain::buildStartingGroup(QWidget* client) {
    QGroupBox* group =
        addGroup(client, "frmStartingCylinder", QStringLiteral("Starting Mix  [Source]"),
                 twipsRect(60, 60, 7155, 1095));
    const QFont font = layout::defaultFont();
    lblLabel = addLabel(group, "lblLabel", QStringLiteral("Starting PSI"),
                        twipsRect(180, 420, 1155, 255), font);
    addLabel(group, "Label1", QStringLiteral("O2 %"), twipsRect(1440, 420, 915, 255), font);
    addLabel(group, "Label2", QStringLiteral("He % "), twipsRect(2340, 420, 735, 255), font);
    addLabel(group, "Label6", QStringLiteral("N % "), twipsRect(3240, 420, 795, 255), font);
    fields_.txtSourcePSI =
        addField(group, "txtSourcePSI", QStringLiteral("0"), twipsRect(180, 660, 1155, 285));
    fields_.txtSourceO2 =
        addField(group, "txtSourceO2", QStringLiteral("0"), twipsRect(1440, 660, 795, 285));
    fields_.txtSourceHe =
        addField(group, "txtSourceHe", QStringLiteral("0"), twipsRect(2340, 660, 795, 285));
    fields_.txtSourceN =
        addField(group, "txtSourceN", QStringLiteral("0"), twipsRect(3240, 660, 795, 285), true);
    cylinderChoice_ = new CylinderChoice(group, [this] { return m_units; });
    connect(cylinderChoice_, &CylinderChoice::chosenChanged, this, &frmMain::markPlanOutOfDate);
}

void frmMain::buildRequiredGroup(QWidget* client) {
    QGroupBox* group = addGroup(client, "frmRequired", QStringLiteral("Required Mix   [Target]"),
                                twipsRect(60, 1200, 7155, 1815));
    const QFont font = layout::defaultFont();
    Label5 = addLabel(group, "Label5", QStringLiteral("Required PSI"),
                      twipsRect(180, 420, 1215, 255), font);
    addLabel(group, "Label4", QStringLiteral("O2 %"), twipsRect(1440, 420, 675, 255), font);
    addLabel(group, "Label3", QStringLiteral("He %"), twipsRect(2340, 420, 795, 255), font);
    addLabel(group, "Label7", QStringLiteral("N % "), twipsRect(3240, 420, 735, 255), font);
    addLabel(group, "Label14", QStringLiteral("MOD at PO2 of 1.6"), twipsRect(4560, 420, 2235, 255),
             font)
        ->setProperty("Index", 0);
    fields_.txtTargetPSI =
        addField(group, "txtTargetPSI", QStringLiteral("0"), twipsRect(180, 660, 1155, 285));
    fields_.txtTargetO2 =
        addField(group, "txtTargetO2", QStringLiteral("0"), twipsRect(1440, 660, 795, 285));
    fields_.txtTargetHe =
        addField(group, "txtTargetHe", QStringLiteral("0"), twipsRect(2340, 660, 795, 285));
    fields_.txtTargetN =
        addField(group, "txtTargetN", QStringLiteral("0"), twipsRect(3240, 660, 795, 285), true);
    fields_.txtTargetMOD =
        addField(group, "txtTargetMOD", QStringLiteral("0"), twipsRect(4560, 660, 795, 285), true);
    layout::addHorizontalLine(group, "Line1", 0, 120, 1080, 7000);
    Label11 = addLabel(group, "Label11", QStringLiteral("Target Depth (fsw)"),
                       twipsRect(180, 1140, 2115, 255), font);
    addLabel(group, "Label12", QStringLiteral("END"), twipsRect(2340, 1140, 735, 255), font);
    addLabel(group, "Label13", QStringLiteral("PO2"), twipsRect(3240, 1140, 795, 255), font);
    addLabel(group, "lblTargetDensity", QStringLiteral("g/L"), twipsRect(4140, 1140, 735, 255),
             font);
    addLabel(group, "Label14",
             QStringLiteral("Displays END and PO2 of the target mix at the selected target depth."),
             twipsRect(5040, 1140, 2055, 615), font, true)
        ->setProperty("Index", 1);
    fields_.txtTargetDepth =
        addField(group, "txtTargetDepth", QStringLiteral("0"), twipsRect(180, 1380, 1155, 285));
    fields_.txtTargetEND =
        addField(group, "txtTargetEND", QStringLiteral("0"), twipsRect(2340, 1380, 795, 285), true);
    fields_.txtTargetPO2 =
        addField(group, "txtTargetPO2", QStringLiteral("0"), twipsRect(3240, 1380, 795, 285), true);
    // The gas density at the target depth, under the chosen gas model.
    fields_.txtTargetDensity = addField(group, "txtTargetDensity", QStringLiteral("0"),
                                        twipsRect(4140, 1380, 795, 285), true);
}

void frmMain::buildBlendingGroup(QWidget* client) {
    QGroupBox* group = addGroup(client, "frmBlendingInstructions", QStringLiteral("Blending"),
                                twipsRect(60, 3060, 7155, 6675));
    blendingGroup_ = group;
    const QFont font = layout::defaultFont();
    addLabel(group, "Label8", QStringLiteral("O2 %"), twipsRect(1440, 360, 615, 255), font);
    addLabel(group, "lblTopN", QStringLiteral("N % "), twipsRect(2340, 360, 555, 255), font);
    addLabel(group, "Label9", QStringLiteral("Top up mix"), twipsRect(180, 600, 1275, 255), font);
    fields_.txtTopO2 =
        addField(group, "txtTopO2", QStringLiteral("21"), twipsRect(1440, 600, 795, 285));
    fields_.txtTopN =
        addField(group, "txtTopN", QStringLiteral("79"), twipsRect(2340, 600, 795, 285), true);
    layout::addHorizontalLine(group, "Line1", 1, 120, 1020, 7000);
    // The two captions beside the buttons end where the buttons begin, so a longer top-up
    // caption (rewritten from the top-up O2 field) wraps onto a second line instead of
    // disappearing under the button.
    fields_.lblTopup = addLabel(
        group, "lblTopup", QStringLiteral("Top up Starting Mix with Air and calculate final mix"),
        twipsRect(180, 1200, 5190, 405), font, true);
    cmdTopWithAir = addButton(group, "cmdTopWithAir", QStringLiteral("Calcula&te"),
                              twipsRect(5460, 1140, 1500, 285));
    addLabel(group, "Label16", QStringLiteral("Calculate how to obtain the Required Mix"),
             twipsRect(180, 1620, 5190, 255), font);
    cmdCalc =
        addButton(group, "cmdCalc", QStringLiteral("&Calculate"), twipsRect(5460, 1560, 1500, 285));
    layout::addHorizontalLine(group, "Line1", 2, 120, 2040, 7000);
    lblInstrictions = addLink(group, "lblInstrictions", QStringLiteral("Instructions"),
                              twipsRect(120, 2160, 1695, 255), Qt::AlignLeft);
    cmdPrint = addLink(group, "cmdPrint", QStringLiteral("Print..."),
                       twipsRect(3960, 2160, 1695, 255), Qt::AlignRight);
    cmdlblSave = addLink(group, "cmdlblSave", QStringLiteral("Save to file..."),
                         twipsRect(5700, 2160, 1335, 255), Qt::AlignRight);
    lstBlendingInstructions = new InstructionsList(group);
    layout::place(lstBlendingInstructions, "lstBlendingInstructions",
                  twipsRect(60, 2460, 6975, 4140), [] {
                      QFont tahoma(QStringLiteral("Tahoma"));
                      tahoma.setPointSizeF(9.75);
                      // Regular even when a style sheet makes the group re-propagate its
                      // bold caption font.
                      tahoma.setBold(false);
                      return tahoma;
                  }());
    // The help text holds the widest lines the list shows (the separator among them); with
    // a wider stand-in for Tahoma they must still fit beside the scroll bar.
    const int frame = lstBlendingInstructions->frameWidth();
    layout::shrinkFontToWidth(
        lstBlendingInstructions, instructions::HelpText(),
        lstBlendingInstructions->width() - 2 * frame - 8 -
            lstBlendingInstructions->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
}

void frmMain::buildMenus() {
    QMenuBar* bar = menuBar();
    bar->setFocusPolicy(Qt::NoFocus);
    QMenu* mnuFile = bar->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    // Save and Print do what the link labels do, with Ctrl+S and Ctrl+P.
    QAction* mnuSave = mnuFile->addAction(QStringLiteral("&Save to file..."));
    mnuSave->setObjectName(QStringLiteral("mnuSave"));
    mnuSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(mnuSave, &QAction::triggered, this,
            [this] { saveInstructions(*lstBlendingInstructions, suggestedFileName()); });
    QAction* mnuPrint = mnuFile->addAction(QStringLiteral("&Print..."));
    mnuPrint->setObjectName(QStringLiteral("mnuPrint"));
    mnuPrint->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    connect(mnuPrint, &QAction::triggered, this,
            [this] { printInstructions(*lstBlendingInstructions); });
    QAction* mnuRecordFill = mnuFile->addAction(QStringLiteral("&Record this fill..."));
    mnuRecordFill->setObjectName(QStringLiteral("mnuRecordFill"));
    connect(mnuRecordFill, &QAction::triggered, this, [this] {
        filllogui::recordFill(this, recordablePlan_, lstBlendingInstructions->isOutOfDate());
    });
    mnuFile->addSeparator()->setObjectName(QStringLiteral("b0"));
    QAction* mnuExit = mnuFile->addAction(QStringLiteral("&Exit"));
    mnuExit->setObjectName(QStringLiteral("mnuExit"));
    connect(mnuExit, &QAction::triggered, this, &frmMain::mnuExit_Click);
    buildViewMenu(bar);
    buildOptionsMenu(bar);
    AddDiveTools(
        bar, fields_, [this] { return m_units; }, [this] { return BuildMixer(); });
    QAction* mnuBanks =
        bar->findChild<QMenu*>(QStringLiteral("mnuTools"))->addAction(QStringLiteral("Ban&ks..."));
    mnuBanks->setObjectName(QStringLiteral("mnuBanks"));
    connect(mnuBanks, &QAction::triggered, this, [this] {
        askBanks(this, m_units,
                 [this](const quillan::BankSupply& supply) { return planWithBanks(supply); });
    });
    QMenu* mnuHelp = bar->addMenu(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    QAction* mnuAbout = mnuHelp->addAction(QStringLiteral("&About"));
    mnuAbout->setObjectName(QStringLiteral("mnuAbout"));
    connect(mnuAbout, &QAction::triggered, this, &frmMain::mnuAbout_Click);
    mnuHelp->addSeparator()->setObjectName(QStringLiteral("b1"));
    QAction* mnuReportError = mnuHelp->addAction(QStringLiteral("&Report an Error"));
    mnuReportError->setObjectName(QStringLiteral("mnuReportError"));
    connect(mnuReportError, &QAction::triggered, this, &frmMain::mnuReportError_Click);
}

void frmMain::buildViewMenu(QMenuBar* bar) {
    QMenu* mnuView = bar->addMenu(QStringLiteral("&View"));
    mnuView->setObjectName(QStringLiteral("mnuView"));
    QAction* mnuFillLog = mnuView->addAction(QStringLiteral("&Fill log"));
    mnuFillLog->setObjectName(QStringLiteral("mnuFillLog"));
    connect(mnuFillLog, &QAction::triggered, this, [this] { filllogui::showFillLog(this); });
}

// The units, the gas model, the fill options and the prices, all remembered between runs.
void frmMain::buildOptionsMenu(QMenuBar* bar) {
    QMenu* mnuOptions = bar->addMenu(QStringLiteral("&Options"));
    mnuOptions->setObjectName(QStringLiteral("mnuOptions"));
    unitsMenu_ = new UnitsMenu(mnuOptions, m_units);
    connect(unitsMenu_, &UnitsMenu::unitsChosen, this, &frmMain::SetUnits);
    // Another gas model makes another plan: the one shown is out of date.
    AddGasModelMenu(mnuOptions, [this] { markPlanOutOfDate(); });
    AddFillOptionsMenu(mnuOptions);
    AddPricesMenu(
        mnuOptions, [this] { return m_units; }, [this] { markPlanOutOfDate(); });
}

void frmMain::setTabOrderAndFocus() {
    QWidget* const order[] = {fields_.txtSourcePSI,
                              fields_.txtSourceO2,
                              fields_.txtSourceHe,
                              fields_.txtTargetPSI,
                              fields_.txtTargetO2,
                              fields_.txtTargetHe,
                              fields_.txtTargetDepth,
                              lstBlendingInstructions,
                              fields_.txtTopO2,
                              cmdTopWithAir,
                              cmdCalc};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    fields_.txtSourcePSI->setFocus();
}

void frmMain::closeEvent(QCloseEvent* event) {
    event->accept();
    program::EndProgram(0);
}

void frmMain::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        applyWindowColours(*this);
}

void frmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Polishing for the first show resets the palettes of the controls inside a group whose
    // caption style sheet changed since they were built (a window built under a dark
    // palette); the derived colours go back on top.
    applyWindowColours(*this);
    // After the window manager has framed the window, and again on every screen it moves to.
    QTimer::singleShot(0, this, &frmMain::fitToCurrentScreen);
    if (QWindow* handle = windowHandle())
        connect(handle, &QWindow::screenChanged, this, &frmMain::fitToCurrentScreen,
                Qt::UniqueConnection);
}

void frmMain::lblInstrictions_Click() {
    instructions::LoadInstructions(*lstBlendingInstructions);
    showingPlan(PlanCommand::None, {});
}

void frmMain::ShowMixAtDepth() {
    showDepthFigures(fields_, m_units);
}

void frmMain::mnuExit_Click() {
    program::EndProgram(0);
}

void frmMain::mnuAbout_Click() {
    QMessageBox box(QMessageBox::NoIcon, program::GetAppTitle(),
                    QStringLiteral("Quillan gas blending calculator, by the Divers' Workshop") +
                        QStringLiteral("\r\n") + QStringLiteral("Version: ") +
                        program::GetVersionString(),
                    QMessageBox::Ok, this);
    box.exec();
}

void frmMain::mnuReportError_Click() {
    try {
        QMessageBox box(QMessageBox::NoIcon, program::GetAppTitle(),
                        QStringLiteral("Please report errors to quillan@divers-workshop.org") +
                            QStringLiteral("\r\n") +
                            QStringLiteral("Please include the version number ") +
                            program::GetVersionString() + QStringLiteral(" and error details.") +
                            QStringLiteral("\r\n") + QStringLiteral("Thank you"),
                        QMessageBox::Ok, this);
        box.exec();
    } catch (const std::exception&) {
        // Nothing else to do when even the message cannot be shown.
    }
}
