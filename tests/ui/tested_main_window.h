// The main window as the tests drive it: its controls found by object name, under the
// names the window gives them, so a renamed control fails the test that needs it.
#pragma once

#include "controls/clickable_label.h"
#include "fields/window_fields.h"
#include "instructions/instructions_list.h"
#include "test_support.h"
#include "window/frm_main.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

struct TestedMainWindow : frmMain {
    template <class T> T* named(const char* name) const {
        return testsupport::child<T>(*this, name);
    }

    QLabel* lblLabel = named<QLabel>("lblLabel");
    QLineEdit* txtSourcePSI = named<QLineEdit>("txtSourcePSI");
    QLineEdit* txtSourceO2 = named<QLineEdit>("txtSourceO2");
    QLineEdit* txtSourceHe = named<QLineEdit>("txtSourceHe");
    QLineEdit* txtSourceN = named<QLineEdit>("txtSourceN");
    QLabel* Label5 = named<QLabel>("Label5");
    QLabel* Label11 = named<QLabel>("Label11");
    QLineEdit* txtTargetPSI = named<QLineEdit>("txtTargetPSI");
    QLineEdit* txtTargetO2 = named<QLineEdit>("txtTargetO2");
    QLineEdit* txtTargetHe = named<QLineEdit>("txtTargetHe");
    QLineEdit* txtTargetN = named<QLineEdit>("txtTargetN");
    QLineEdit* txtTargetMOD = named<QLineEdit>("txtTargetMOD");
    QLineEdit* txtTargetDepth = named<QLineEdit>("txtTargetDepth");
    QLineEdit* txtTargetEND = named<QLineEdit>("txtTargetEND");
    QLineEdit* txtTargetPO2 = named<QLineEdit>("txtTargetPO2");
    QLineEdit* txtTargetDensity = named<QLineEdit>("txtTargetDensity");
    QLineEdit* txtTopO2 = named<QLineEdit>("txtTopO2");
    QLineEdit* txtTopN = named<QLineEdit>("txtTopN");
    QLabel* lblTopup = named<QLabel>("lblTopup");
    QPushButton* cmdTopWithAir = named<QPushButton>("cmdTopWithAir");
    QPushButton* cmdCalc = named<QPushButton>("cmdCalc");
    ClickableLabel* lblInstrictions = named<ClickableLabel>("lblInstrictions");
    ClickableLabel* cmdPrint = named<ClickableLabel>("cmdPrint");
    ClickableLabel* cmdlblSave = named<ClickableLabel>("cmdlblSave");
    InstructionsList* lstBlendingInstructions = named<InstructionsList>("lstBlendingInstructions");
    QMenu* mnuFile = named<QMenu>("mnuFile");
    QAction* mnuSave = named<QAction>("mnuSave");
    QAction* mnuPrint = named<QAction>("mnuPrint");
    QAction* mnuExit = named<QAction>("mnuExit");
    QMenu* mnuOptions = named<QMenu>("mnuOptions");
    QMenu* mnuUnits = named<QMenu>("mnuUnits");
    QAction* mnuPsiAndFeet = named<QAction>("mnuPsiAndFeet");
    QAction* mnuBarAndMetres = named<QAction>("mnuBarAndMetres");
    QMenu* mnuHelp = named<QMenu>("mnuHelp");
    QAction* mnuAbout = named<QAction>("mnuAbout");
    QAction* mnuReportError = named<QAction>("mnuReportError");

    // The fields as the window hands them to its field rules.
    WindowFields fields() const {
        return {txtSourcePSI,     txtSourceO2,    txtSourceHe,  txtSourceN,
                txtTargetPSI,     txtTargetO2,    txtTargetHe,  txtTargetN,
                txtTargetMOD,     txtTargetDepth, txtTargetEND, txtTargetPO2,
                txtTargetDensity, txtTopO2,       txtTopN,      lblTopup};
    }
};
