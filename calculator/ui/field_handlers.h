// The got-focus and validate handlers of the main window's eight editable fields, and
// the one call that wires them, the validate mechanism and the save and print links
// into the window.
#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

class QLabel;
class QLineEdit;
class QWidget;

// Installs field validation and the "Save to file..." and "Print..." links on the main
// window, whose controls it finds by their object names. `showMixAtDepth` refreshes the
// window's MOD, END and PO2 figures. Call once, before the window is shown.
void installFieldsAndOutput(QWidget* mainWindow, std::function<void()> showMixAtDepth);

class FieldHandlers final : public QObject {
  public:
    FieldHandlers(QWidget* mainWindow, std::function<void()> showMixAtDepth);

    void txtSourcePSI_GotFocus();
    void txtSourcePSI_Validate(bool& Cancel);
    void txtSourceO2_GotFocus();
    void txtSourceO2_Validate(bool& Cancel);
    void txtSourceHe_GotFocus();
    void txtSourceHe_Validate(bool& Cancel);
    void txtTargetPSI_GotFocus();
    void txtTargetPSI_Validate(bool& Cancel);
    void txtTargetO2_GotFocus();
    void txtTargetO2_Validate(bool& Cancel);
    void txtTargetHe_GotFocus();
    void txtTargetHe_Validate(bool& Cancel);
    void txtTargetDepth_GotFocus();
    void txtTargetDepth_Validate(bool& Cancel);
    void txtTopO2_GotFocus();
    void txtTopO2_Validate(bool& Cancel);

  private:
    void ShowMixAtDepth();
    void UpdateTopupDisplay();

    QPointer<QLineEdit> txtSourcePSI;
    QPointer<QLineEdit> txtSourceO2;
    QPointer<QLineEdit> txtSourceHe;
    QPointer<QLineEdit> txtSourceN;
    QPointer<QLineEdit> txtTargetPSI;
    QPointer<QLineEdit> txtTargetO2;
    QPointer<QLineEdit> txtTargetHe;
    QPointer<QLineEdit> txtTargetN;
    QPointer<QLineEdit> txtTargetDepth;
    QPointer<QLineEdit> txtTopO2;
    QPointer<QLineEdit> txtTopN;
    QPointer<QLabel> lblTopup;
    std::function<void()> m_showMixAtDepth;
};
