#include "field_handlers.h"

#include <QLabel>
#include <QLineEdit>

#include <string>

#include "engine/number_rules.h"
#include "engine/runtime_error.h"
#include "field_rules.h"
#include "focus_validation.h"
#include "frm_main.h"
#include "module1.h"
#include "module1_input.h"

FieldHandlers::FieldHandlers(frmMain& window) : QObject(&window), m_window(window) {}

void FieldHandlers::GotFocus(const FieldRule& rule) {
    Module1::SelectControlText(m_window.*rule.field);
}

void FieldHandlers::Validate(const FieldRule& rule, bool& Cancel) {
    const FieldBounds bounds = boundsOf(rule.id, m_window.Units());
    bool selectText = true;
    Cancel = Module1::CancelInput(bounds.lower, bounds.upper, m_window.*rule.field, selectText);
    if (rule.balances != nullptr)
        Module1::BalanceMixFields(m_window.*rule.balances->o2, m_window.*rule.balances->he,
                                  m_window.*rule.balances->n);
    if (rule.refreshesDepthFigures)
        ShowMixAtDepth();
    if (rule.refreshesTopUpGas)
        UpdateTopupDisplay();
}

void FieldHandlers::ShowMixAtDepth() {
    try {
        m_window.ShowMixAtDepth();
    } catch (const quillan::RuntimeError&) {
        // A depth or O2 text that is not a number leaves the figures as they were; the
        // field's own check has already told the user and kept the focus there.
    }
}

void FieldHandlers::UpdateTopupDisplay() {
    try {
        const QString text = m_window.txtTopO2->text();
        const std::int16_t nitrogen = quillan::subInt16(100, Module1::TextToInt16(text));
        const std::string gasName = Module1::GetGasName(Module1::TextToDouble(text));
        m_window.txtTopN->setText(Module1::NumberText(nitrogen));
        m_window.lblTopup->setText(
            QStringLiteral("Top up Starting Mix with %1 and calculate final mix.")
                .arg(QString::fromStdString(gasName)));
    } catch (const quillan::RuntimeError&) {
        // Not a number: the top-up N % and label keep describing the last valid gas.
    }
}

void installFieldValidation(frmMain& window) {
    // The mechanism is created first so that it is destroyed first, before the handlers
    // its callbacks point at.
    auto* validation = new FocusValidation(window);
    auto* handlers = new FieldHandlers(window);
    for (const FieldRule& rule : fieldRules())
        validation->addField(
            window.*rule.field, [handlers, &rule] { handlers->GotFocus(rule); },
            [handlers, &rule](bool& Cancel) { handlers->Validate(rule, Cancel); });
}
