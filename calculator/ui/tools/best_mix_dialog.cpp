#include "tools/best_mix_dialog.h"

#include "fields/number_text.h"
#include "options/calculator_settings.h"
#include "report/best_mix_lines.h"
#include "rules/limits.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

using quillan::BestMixLimits;

namespace {

struct LimitFields {
    QSpinBox* depth;
    QDoubleSpinBox* po2;
    QSpinBox* end;
    QCheckBox* o2Narcotic;
    QDoubleSpinBox* density;
};

template <class Field> Field* named(QWidget* parent, const char* name) {
    auto* field = new Field(parent);
    field->setObjectName(QString::fromLatin1(name));
    return field;
}

LimitFields limitFields(QDialog& dialog, const BestMixLimits& start) {
    const QString depthUnit =
        QLatin1Char(' ') + QString::fromUtf8(quillan::unitLabels(start.units).depth.data());
    const int maxDepth = quillan::unitRanges(start.units).maxDepth;
    LimitFields fields{named<QSpinBox>(&dialog, "spnDepth"),
                       named<QDoubleSpinBox>(&dialog, "spnPO2"), named<QSpinBox>(&dialog, "spnEnd"),
                       named<QCheckBox>(&dialog, "chkO2Narcotic"),
                       named<QDoubleSpinBox>(&dialog, "spnDensity")};
    fields.depth->setRange(0, maxDepth);
    fields.depth->setSuffix(depthUnit);
    fields.depth->setValue(int(start.depth));
    fields.po2->setRange(quillan::kLowestDivePO2, quillan::kHighestDivePO2);
    fields.po2->setSingleStep(0.1);
    fields.po2->setValue(start.maxPO2);
    fields.end->setRange(0, maxDepth);
    fields.end->setSuffix(depthUnit);
    fields.end->setValue(int(start.maxEnd));
    fields.o2Narcotic->setText(QStringLiteral("Oxygen is &narcotic"));
    fields.o2Narcotic->setChecked(start.o2Narcotic);
    fields.density->setRange(1.0, quillan::kDensityWarning);
    fields.density->setSingleStep(0.1);
    fields.density->setSuffix(QStringLiteral(" g/L"));
    fields.density->setValue(start.maxDensity);
    return fields;
}

BestMixLimits limitsOf(const LimitFields& fields, BestMixLimits limits) {
    limits.depth = fields.depth->value();
    limits.maxPO2 = fields.po2->value();
    limits.maxEnd = fields.end->value();
    limits.o2Narcotic = fields.o2Narcotic->isChecked();
    limits.maxDensity = fields.density->value();
    return limits;
}

// The answer's lines, and whether the window's fields can blend it.
QString answerText(const BestMixLimits& limits, const quillan::BestMixOutcome& outcome,
                   const RequiredMixAccess& window) {
    quillan::report::ReportOptions options;
    options.units = limits.units;
    options.gas = limits.gas;
    options.numbers = fields::UserNumberLocale();
    std::vector<std::string> lines =
        quillan::report::bestMixLines(limits, outcome, options.numbers);
    if (outcome.best) {
        try {
            lines.push_back(quillan::report::blendableLine(
                quillan::blendOf(window.problem(), outcome.best->mix, options.planOptions()),
                options));
        } catch (const std::exception&) {
            lines.emplace_back("Blendable: the starting mix or the top-up gas is not a number");
        }
    }
    QStringList text;
    for (const std::string& line : lines)
        text << QString::fromStdString(line);
    return text.join(QLatin1Char('\n'));
}

} // namespace

void askBestMix(QWidget* parent, const RequiredMixAccess& window) {
    const CalculatorSettings settings;
    const quillan::UnitSystem units = window.units();
    BestMixLimits start = quillan::defaultLimits(units, quillan::defaultMaxEnd(units));
    start.maxPO2 = settings.divePO2();
    start.gas = settings.gasModel();

    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("dlgBestMix"));
    dialog.setWindowTitle(QStringLiteral("Best mix"));
    auto* form = new QFormLayout(&dialog);
    const LimitFields fields = limitFields(dialog, start);
    form->addRow(QStringLiteral("Planned &depth:"), fields.depth);
    form->addRow(QStringLiteral("Highest &PO2:"), fields.po2);
    form->addRow(QStringLiteral("Highest &END:"), fields.end);
    form->addRow(fields.o2Narcotic);
    form->addRow(QStringLiteral("Highest gas de&nsity:"), fields.density);
    auto* answer = named<QLabel>(&dialog, "lblBestMix");
    form->addRow(answer);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    auto* use =
        buttons->addButton(QStringLiteral("&Use as required mix"), QDialogButtonBox::AcceptRole);
    use->setObjectName(QStringLiteral("cmdUseBestMix"));
    form->addRow(buttons);

    quillan::BestMixOutcome outcome;
    const auto refresh = [&] {
        const BestMixLimits limits = limitsOf(fields, start);
        outcome = quillan::bestMix(limits);
        answer->setText(answerText(limits, outcome, window));
        use->setEnabled(outcome.best.has_value());
    };
    refresh();
    QObject::connect(fields.depth, &QSpinBox::valueChanged, &dialog, refresh);
    QObject::connect(fields.po2, &QDoubleSpinBox::valueChanged, &dialog, refresh);
    QObject::connect(fields.end, &QSpinBox::valueChanged, &dialog, refresh);
    QObject::connect(fields.o2Narcotic, &QCheckBox::toggled, &dialog, refresh);
    QObject::connect(fields.density, &QDoubleSpinBox::valueChanged, &dialog, refresh);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() == QDialog::Accepted && outcome.best)
        window.fillRequiredMix(outcome.best->mix, std::int16_t(fields.depth->value()));
}
