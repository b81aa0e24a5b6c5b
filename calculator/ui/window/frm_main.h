// The calculator's working window: the starting mix, the required mix with its depth
// figures, and the blending group with the top-up gas, the two calculation commands and
// the instructions list. All the calculator's state is the text of these controls.
#pragma once

#include <QMainWindow>
#include <QStringList>

#include "fields/window_fields.h"
#include "log/record_fill.h"
#include "planning/bank_fill.h"
#include "planning/mixer.h"
#include "quantities/unit_system.h"

class ClickableLabel;
class CylinderChoice;
class InstructionsList;
class UnitFigures;
class UnitsMenu;
class QGroupBox;
class QLabel;
class QMenuBar;
class QPushButton;

class frmMain : public QMainWindow {
    Q_OBJECT
  public:
    // Builds the window and loads it: the caption becomes the program title and the list
    // shows the help text.
    explicit frmMain(QWidget* parent = nullptr);

    // The required mix's MOD, and its END and PO2 at the target depth, from the field
    // texts. Throws quillan::RuntimeError (13) when the O2, N or depth text is not a
    // number, and 6 when a figure does not fit 16 bits; the figures written before stay.
    void ShowMixAtDepth();

    // The designed size where it fits the screen's available area (frame included);
    // otherwise the window gets shorter by what is missing, all of it taken from the
    // instructions list (which scrolls), so every other control stays on the screen. The
    // list keeps a few lines however small the area. Also keeps the window inside the area.
    void FitToScreen(const QRect& availableGeometry);
    // The units of every pressure and depth the window shows and reads; at start the
    // choice saved by the Units menu.
    quillan::UnitSystem Units() const { return m_units; }
    // Switches the window to other units at once: the captions, the fields' ranges, the
    // figures in the pressure and depth fields (see UnitFigures) and the depth figures.
    // Saves nothing; the Units menu does.
    void SetUnits(quillan::UnitSystem units);

  protected:
    // The controls follow the client area's size (see layOutClient).
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Form_Unload: closing the window ends the program at once.
    void closeEvent(QCloseEvent* event) override;
    // The derived colours follow the palette (a theme switch while the window is open).
    void changeEvent(QEvent* event) override;
    // The real frame is known only once the window is on a screen.
    void showEvent(QShowEvent* event) override;

  private:
    void buildStartingGroup(QWidget* client);
    void buildRequiredGroup(QWidget* client);
    void buildBlendingGroup(QWidget* client);
    void buildMenus();
    void buildOptionsMenu(QMenuBar* bar);
    void buildViewMenu(QMenuBar* bar);
    void setTabOrderAndFocus();
    void fitToCurrentScreen();
    // The designed layout stretched to `clientSize`: the groups widen, the blending group
    // and the instructions list take the extra height and width, and the Print and Save
    // links keep to the right edge.
    void layOutClient(const QSize& clientSize);

    QWidget* client_;
    QGroupBox* blendingGroup_;

    // Every field, and the top-up caption; the names are the object names.
    WindowFields fields_;
    QLabel* lblLabel; // the starting pressure's caption
    QLabel* Label5;   // the required pressure's caption
    QLabel* Label11;  // the target depth's caption
    QPushButton* cmdTopWithAir;
    QPushButton* cmdCalc;
    ClickableLabel* lblInstrictions;
    ClickableLabel* cmdPrint;
    ClickableLabel* cmdlblSave;
    InstructionsList* lstBlendingInstructions;
    UnitsMenu* unitsMenu_;
    CylinderChoice* cylinderChoice_;

    quillan::Mixer BuildMixer() const;

    // The last command whose plan the list shows, and that plan's mix: what a unit switch
    // redraws and what the saved file is named after.
    enum class PlanCommand { None, RequiredMix, TopUp };
    PlanCommand shownPlan_ = PlanCommand::None;
    QString shownPlanMix_;
    // The required-mix plan File > Record this fill records, while the list shows it.
    std::optional<filllogui::ShownPlan> recordablePlan_;
    void showingPlan(PlanCommand command, const std::string& mixName);
    void watchPlanInputs();
    void markPlanOutOfDate();
    void redrawPlan();
    QString suggestedFileName() const;

    void cmdCalc_Click();
    void cmdTopWithAir_Click();
    // The Calculate command's report with the fill drawn from `supply`, for the banks dialog.
    QStringList planWithBanks(const quillan::BankSupply& supply) const;
    void lblInstrictions_Click();
    void mnuExit_Click();
    void mnuAbout_Click();
    void mnuReportError_Click();

    quillan::UnitSystem m_units = quillan::UnitSystem::PsiAndFeet;
    UnitFigures* m_unitFigures;
};
