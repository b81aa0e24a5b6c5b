// Switching the window between PSI and feet and bar and metres.
#include "window/frm_main.h"

#include "fields/unit_figures.h"
#include "options/units_menu.h"

#include <QLabel>

using quillan::UnitSystem;

namespace {

QString word(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

void frmMain::SetUnits(UnitSystem units) {
    if (units == m_units)
        return;
    const UnitSystem from = m_units;
    m_units = units;

    const quillan::UnitLabels labels = quillan::unitLabels(units);
    lblLabel->setText(QStringLiteral("Starting ") + word(labels.pressure));
    Label5->setText(QStringLiteral("Required ") + word(labels.pressure));
    Label11->setText(QStringLiteral("Target Depth (") + word(labels.depth) + QLatin1Char(')'));
    unitsMenu_->showUnits(units);

    m_unitFigures->convert(from, units);
    try {
        ShowMixAtDepth();
    } catch (const quillan::RuntimeError&) {
        // A depth or O2 text that is not a number keeps its figures until the field is
        // checked, as when the user leaves it.
    }
    redrawPlan();
}
