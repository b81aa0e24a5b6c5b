#include "field_handlers.h"

#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include <stdexcept>
#include <string>
#include <utility>

#include "engine/number_rules.h"
#include "engine/runtime_error.h"
#include "focus_validation.h"
#include "instructions_output.h"
#include "module1.h"
#include "module1_input.h"

namespace {

template <typename Control> Control* control(QWidget* mainWindow, const char* name) {
    auto* found = mainWindow->findChild<Control*>(QString::fromLatin1(name));
    if (found == nullptr)
        throw std::logic_error(std::string("the main window has no control named ") + name);
    return found;
}

QObject* linkLabel(QWidget* mainWindow, const char* name) {
    return control<QWidget>(mainWindow, name);
}

} // namespace

FieldHandlers::FieldHandlers(QWidget* mainWindow, std::function<void()> showMixAtDepth)
    : QObject(mainWindow), txtSourcePSI(control<QLineEdit>(mainWindow, "txtSourcePSI")),
      txtSourceO2(control<QLineEdit>(mainWindow, "txtSourceO2")),
      txtSourceHe(control<QLineEdit>(mainWindow, "txtSourceHe")),
      txtSourceN(control<QLineEdit>(mainWindow, "txtSourceN")),
      txtTargetPSI(control<QLineEdit>(mainWindow, "txtTargetPSI")),
      txtTargetO2(control<QLineEdit>(mainWindow, "txtTargetO2")),
      txtTargetHe(control<QLineEdit>(mainWindow, "txtTargetHe")),
      txtTargetN(control<QLineEdit>(mainWindow, "txtTargetN")),
      txtTargetDepth(control<QLineEdit>(mainWindow, "txtTargetDepth")),
      txtTopO2(control<QLineEdit>(mainWindow, "txtTopO2")),
      txtTopN(control<QLineEdit>(mainWindow, "txtTopN")),
      lblTopup(control<QLabel>(mainWindow, "lblTopup")),
      m_showMixAtDepth(std::move(showMixAtDepth)) {}

void FieldHandlers::txtSourcePSI_GotFocus() {
    Module1::SelectControlText(txtSourcePSI);
}

void FieldHandlers::txtSourcePSI_Validate(bool& Cancel) {
    bool selectText = true;
    Cancel = Module1::CancelInput(0, 4000, txtSourcePSI, selectText);
    Module1::BalanceMixFields(txtSourceO2, txtSourceHe, txtSourceN);
}

void FieldHandlers::txtSourceO2_GotFocus() {
    Module1::SelectControlText(txtSourceO2);
}

void FieldHandlers::txtSourceO2_Validate(bool& Cancel) {
    bool selectText = true;
    Cancel = Module1::CancelInput(0, 100, txtSourceO2, selectText);
    Module1::BalanceMixFields(txtSourceO2, txtSourceHe, txtSourceN);
}

void FieldHandlers::txtSourceHe_GotFocus() {
    Module1::SelectControlText(txtSourceHe);
}

void FieldHandlers::txtSourceHe_Validate(bool& Cancel) {
    bool selectText = true;
    Cancel = Module1::CancelInput(0, 100, txtSourceHe, selectText);
    Module1::BalanceMixFields(txtSourceO2, txtSourceHe, txtSourceN);
}

void FieldHandlers::txtTargetPSI_GotFocus() {
    Module1::SelectControlText(txtTargetPSI);
}

void FieldHandlers::txtTargetPSI_Validate(bool& Cancel) {
    bool selectText = true;
    Cancel = Module1::CancelInput(0, 4500, txtTargetPSI, selectText);
}

void FieldHandlers::txtTargetO2_GotFocus() {
    Module1::SelectControlText(txtTargetO2);
}

void FieldHandlers::txtTargetO2_Validate(bool& Cancel) {
    bool selectText = true;
    Cancel = Module1::CancelInput(0, 100, txtTargetO2, selectText);
    Module1::BalanceMixFields(txtTargetO2, txtTargetHe, txtTargetN);
    ShowMixAtDepth();
}

void FieldHandlers::txtTargetHe_GotFocus() {
    Module1::SelectControlText(txtTargetHe);
}

void FieldHandlers::txtTargetHe_Validate(bool& Cancel) {
    bool selectText = true;
    Cancel = Module1::CancelInput(0, 100, txtTargetHe, selectText);
    Module1::BalanceMixFields(txtTargetO2, txtTargetHe, txtTargetN);
    ShowMixAtDepth();
}

void FieldHandlers::txtTargetDepth_GotFocus() {
    Module1::SelectControlText(txtTargetDepth);
}

void FieldHandlers::txtTargetDepth_Validate(bool& Cancel) {
    bool selectText = true;
    Cancel = Module1::CancelInput(0, 500, txtTargetDepth, selectText);
    ShowMixAtDepth();
}

void FieldHandlers::txtTopO2_GotFocus() {
    Module1::SelectControlText(txtTopO2);
}

void FieldHandlers::txtTopO2_Validate(bool& Cancel) {
    bool selectText = true;
    Cancel = Module1::CancelInput(21, 50, txtTopO2, selectText);
    UpdateTopupDisplay();
}

void FieldHandlers::ShowMixAtDepth() {
    try {
        m_showMixAtDepth();
    } catch (const quillan::RuntimeError&) {
        // A depth or O2 text that is not a number leaves the figures as they were; the
        // field's own check has already told the user and kept the focus there.
    }
}

void FieldHandlers::UpdateTopupDisplay() {
    try {
        const QString text = txtTopO2->text();
        const std::int16_t nitrogen = quillan::subInt16(100, Module1::TextToInt16(text));
        const std::string gasName = Module1::GetGasName(Module1::TextToDouble(text));
        txtTopN->setText(Module1::NumberText(nitrogen));
        lblTopup->setText(QStringLiteral("Top up Starting Mix with %1 and calculate final mix.")
                              .arg(QString::fromStdString(gasName)));
    } catch (const quillan::RuntimeError&) {
        // Not a number: the top-up N % and label keep describing the last valid gas.
    }
}

void installFieldsAndOutput(QWidget* mainWindow, std::function<void()> showMixAtDepth) {
    // The mechanism is created first so that it is destroyed first, before the handlers
    // its callbacks point at.
    auto* validation = new FocusValidation(mainWindow);
    auto* handlers = new FieldHandlers(mainWindow, std::move(showMixAtDepth));

    const auto add = [&](const char* name, void (FieldHandlers::*gotFocus)(),
                         void (FieldHandlers::*validate)(bool&)) {
        validation->addField(
            control<QLineEdit>(mainWindow, name), [handlers, gotFocus] { (handlers->*gotFocus)(); },
            [handlers, validate](bool& Cancel) { (handlers->*validate)(Cancel); });
    };
    add("txtSourcePSI", &FieldHandlers::txtSourcePSI_GotFocus,
        &FieldHandlers::txtSourcePSI_Validate);
    add("txtSourceO2", &FieldHandlers::txtSourceO2_GotFocus, &FieldHandlers::txtSourceO2_Validate);
    add("txtSourceHe", &FieldHandlers::txtSourceHe_GotFocus, &FieldHandlers::txtSourceHe_Validate);
    add("txtTargetPSI", &FieldHandlers::txtTargetPSI_GotFocus,
        &FieldHandlers::txtTargetPSI_Validate);
    add("txtTargetO2", &FieldHandlers::txtTargetO2_GotFocus, &FieldHandlers::txtTargetO2_Validate);
    add("txtTargetHe", &FieldHandlers::txtTargetHe_GotFocus, &FieldHandlers::txtTargetHe_Validate);
    add("txtTargetDepth", &FieldHandlers::txtTargetDepth_GotFocus,
        &FieldHandlers::txtTargetDepth_Validate);
    add("txtTopO2", &FieldHandlers::txtTopO2_GotFocus, &FieldHandlers::txtTopO2_Validate);

    auto* links = new OutputLinks(mainWindow);
    // The link labels are the window's own label class; their clicked() signal is all
    // that is needed of it.
    QObject::connect(linkLabel(mainWindow, "cmdlblSave"), SIGNAL(clicked()), links,
                     SLOT(cmdlblSave_Click()));
    QObject::connect(linkLabel(mainWindow, "cmdPrint"), SIGNAL(clicked()), links,
                     SLOT(cmdPrint_Click()));
}
