#include "fields/unit_figures.h"

#include "fields/field_rules.h"
#include "fields/number_text.h"

#include <QLineEdit>

#include <algorithm>

using quillan::UnitSystem;

namespace {

// Rewrites only a text that changes, so a field keeps its selection and cursor otherwise.
void rewrite(QLineEdit* field, const QString& text) {
    if (field->text() != text)
        field->setText(text);
}

std::optional<QString> convertedText(const QString& text, const UnitField& unitField,
                                     UnitSystem from, UnitSystem to) {
    try {
        const double value = fields::TextToDouble(text);
        const double converted = unitField.quantity == Quantity::Pressure
                                     ? quillan::convertPressure(value, from, to)
                                     : quillan::convertDepth(value, from, to);
        const quillan::WholeRange bounds = boundsOf(unitField.id, to);
        const double kept = std::clamp(converted, double(bounds.lower), double(bounds.upper));
        return fields::NumberText(quillan::toInt16(kept));
    } catch (const quillan::RuntimeError&) {
        return std::nullopt;
    }
}

} // namespace

UnitFigures::UnitFigures(QObject& window, const WindowFields& fields)
    : QObject(&window), m_fields(fields) {
    for (std::size_t i = 0; i < unitFields().size(); ++i)
        // Any change, by the user or by a command, makes the remembered figure stale.
        connect(fields.*unitFields()[i].field, &QLineEdit::textChanged, this,
                [this, i] { m_converted[i].reset(); });
}

void UnitFigures::convert(UnitSystem from, UnitSystem to) {
    for (std::size_t i = 0; i < unitFields().size(); ++i) {
        QLineEdit* field = m_fields.*unitFields()[i].field;
        const QString before = field->text();
        if (m_converted[i] && m_converted[i]->after == before) {
            const QString original = m_converted[i]->before;
            rewrite(field, original);
            m_converted[i] = Converted{before, original};
            continue;
        }
        const std::optional<QString> after = convertedText(before, unitFields()[i], from, to);
        if (!after)
            continue;
        rewrite(field, *after);
        m_converted[i] = Converted{before, *after};
    }
}
