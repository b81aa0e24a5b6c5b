// Keeping the shown plan honest: once an input it was made from changes, the list says the
// plan is out of date (and so do Save and Print); a unit switch redraws a current plan in
// the new units.
#include "window/frm_main.h"

#include "instructions/instructions_list.h"

#include <QDate>
#include <QLineEdit>

void frmMain::showingPlan(PlanCommand command, const std::string& mixName) {
    shownPlan_ = command;
    shownPlanMix_ = QString::fromStdString(mixName);
    lstBlendingInstructions->setOutOfDate(false);
}

// Only what the user types counts: the commands and the field handlers write fields too.
// The target depth is left out, as no plan is made from it.
void frmMain::watchPlanInputs() {
    for (QLineEdit* input :
         {fields_.txtSourcePSI, fields_.txtSourceO2, fields_.txtSourceHe, fields_.txtTargetPSI,
          fields_.txtTargetO2, fields_.txtTargetHe, fields_.txtTopO2})
        connect(input, &QLineEdit::textEdited, this, &frmMain::markPlanOutOfDate);
}

void frmMain::markPlanOutOfDate() {
    if (shownPlan_ != PlanCommand::None)
        lstBlendingInstructions->setOutOfDate(true);
}

// A plan that still matches the fields is made again, now in the window's units; one that
// no longer does stays as it is, marked.
void frmMain::redrawPlan() {
    if (shownPlan_ == PlanCommand::None || lstBlendingInstructions->isOutOfDate())
        return;
    if (shownPlan_ == PlanCommand::RequiredMix)
        cmdCalc_Click();
    else
        cmdTopWithAir_Click();
}

// "Nitrox 32 2026-12-07.txt"; the help text is saved as "Instructions ...".
QString frmMain::suggestedFileName() const {
    const QString what = shownPlan_ == PlanCommand::None || shownPlanMix_.isEmpty()
                             ? QStringLiteral("Instructions")
                             : shownPlanMix_;
    return what + QLatin1Char(' ') + QDate::currentDate().toString(Qt::ISODate) +
           QStringLiteral(".txt");
}
