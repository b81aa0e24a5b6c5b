#include "fields/field_handlers.h"

#include <QLabel>
#include <QLineEdit>

#include <string>
#include <utility>

#include "engine/number_rules.h"
#include "engine/runtime_error.h"
#include "fields/field_input.h"
#include "fields/field_rules.h"
#include "fields/focus_validation.h"
#include "fields/mix_at_depth.h"
#include "fields/number_text.h"
#include "quantities/gas_names.h"

FieldHandlers::FieldHandlers(QWidget& window, const WindowFields& fields, CurrentUnits units)
    : QObject(&window), m_fields(fields), m_units(std::move(units)) {}

void FieldHandlers::GotFocus(const FieldRule& rule) {
    fields::SelectControlText(m_fields.*rule.field);
}

void FieldHandlers::Validate(const FieldRule& rule, bool& Cancel) {
    const quillan::WholeRange bounds = boundsOf(rule.id, m_units());
    bool selectText = true;
    Cancel = fields::CancelInput(bounds.lower, bounds.upper, m_fields.*rule.field, selectText);
    if (rule.balances != nullptr)
        fields::BalanceMixFields(m_fields.*rule.balances->o2, m_fields.*rule.balances->he,
                                 m_fields.*rule.balances->n);
    if (rule.refreshesDepthFigures)
        ShowMixAtDepth();
    if (rule.refreshesTopUpGas)
        UpdateTopupDisplay();
}

void FieldHandlers::ShowMixAtDepth() {
    try {
        showDepthFigures(m_fields, m_units());
    } catch (const quillan::RuntimeError&) {
        // A depth or O2 text that is not a number leaves the figures as they were; the
        // field's own check has already told the user and kept the focus there.
    }
}

void FieldHandlers::UpdateTopupDisplay() {
    try {
        const QString text = m_fields.txtTopO2->text();
        const std::int16_t nitrogen = quillan::subInt16(100, fields::TextToInt16(text));
        const std::string gasName = quillan::GetGasName(fields::TextToDouble(text));
        m_fields.txtTopN->setText(fields::NumberText(nitrogen));
        m_fields.lblTopup->setText(
            QStringLiteral("Top up Starting Mix with %1 and calculate final mix.")
                .arg(QString::fromStdString(gasName)));
    } catch (const quillan::RuntimeError&) {
        // Not a number: the top-up N % and label keep describing the last valid gas.
    }
}

void installFieldValidation(QWidget& window, const WindowFields& fields, CurrentUnits units) {
    // The mechanism is created first so that it is destroyed first, before the handlers
    // its callbacks point at.
    auto* validation = new FocusValidation(window);
    auto* handlers = new FieldHandlers(window, fields, std::move(units));
    for (const FieldRule& rule : fieldRules())
        validation->addField(
            fields.*rule.field, [handlers, &rule] { handlers->GotFocus(rule); },
            [handlers, &rule](bool& Cancel) { handlers->Validate(rule, Cancel); });
}
