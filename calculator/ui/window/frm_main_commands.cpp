// The two calculation commands: how to blend the required mix, and which mix a plain
// top-up gives. The report module writes the lines; the window reads and writes fields.
#include "window/frm_main.h"

#include "fields/number_text.h"
#include "instructions/instructions_list.h"
#include "instructions/report_text.h"
#include "library/common_calls.h"
#include "options/calculator_settings.h"
#include "options/fill_station_settings.h"
#include "report/blend_report.h"
#include "window/cylinder_choice.h"

#include <QLineEdit>
#include <QListWidget>

using fields::NumberText;
using fields::TextToInt16;
using quillan::Mixer;

namespace {

quillan::report::ReportOptions reportOptions(quillan::UnitSystem units,
                                             const std::optional<quillan::Cylinder>& cylinder) {
    quillan::report::ReportOptions options;
    options.units = units;
    options.numbers = fields::UserNumberLocale();
    const CalculatorSettings settings;
    options.gas = settings.gasModel();
    options.fill = settings.fillTemperature();
    options.settle = settings.settleTemperature();
    options.checkpoints = settings.checkpoints();
    options.modAtPO2 = settings.reportedModPO2();
    // The fill sheet follows the plan only with a cylinder: without one nothing changes.
    options.cylinder = cylinder;
    const FillStationSettings station;
    options.prices = station.prices(units);
    options.leastDrain = station.leastDrain();
    return options;
}

void showLines(QListWidget* list, const quillan::report::BlendReport& report) {
    list->clear();
    for (const std::string& line : report.lines)
        list->addItem(QString::fromStdString(line));
}

std::string planMix(const quillan::report::BlendReport& report) {
    return report.plan ? report.plan->finalMixName : std::string();
}

} // namespace

Mixer frmMain::BuildMixer() const {
    Mixer mixer;
    mixer.SourcePSI(TextToInt16(fields_.txtSourcePSI->text()));
    mixer.SourceO2(TextToInt16(fields_.txtSourceO2->text()));
    mixer.SourceHe(TextToInt16(fields_.txtSourceHe->text()));
    mixer.SourceN(TextToInt16(fields_.txtSourceN->text()));
    mixer.TargetPSI(TextToInt16(fields_.txtTargetPSI->text()));
    mixer.TargetO2(TextToInt16(fields_.txtTargetO2->text()));
    mixer.TargetHe(TextToInt16(fields_.txtTargetHe->text()));
    mixer.TargetN(TextToInt16(fields_.txtTargetN->text()));
    mixer.TopupMixFO2(TextToInt16(fields_.txtTopO2->text()));
    return mixer;
}

void frmMain::cmdCalc_Click() {
    const std::string step(quillan::report::kLoadingStep);
    QListWidget* list = lstBlendingInstructions;
    try {
        recordablePlan_.reset();
        const Mixer problem = BuildMixer();
        const quillan::report::ReportOptions options =
            reportOptions(Units(), cylinderChoice_->chosen());
        const auto report = quillan::report::requiredMixReport(
            problem, instructions::CurrentReportDateTime().toStdString(), options);
        showLines(list, report);
        showingPlan(PlanCommand::RequiredMix, planMix(report));
        if (report.plan && !report.error)
            recordablePlan_ = filllogui::ShownPlan{problem, report, options};
        if (report.error) {
            list->addItem(QString::fromStdString(quillan::report::errorAtLine(report.step)));
            return;
        }
        if (report.targetDepth) {
            fields_.txtTargetDepth->setText(NumberText(*report.targetDepth));
            ShowMixAtDepth();
        }
    } catch (const std::exception&) {
        // Any failure, the engine's own or a field that is not a number, ends in one line.
        list->addItem(QString::fromStdString(quillan::report::errorAtLine(step)));
    }
}

void frmMain::cmdTopWithAir_Click() {
    const QString step = QString::fromStdString(std::string(quillan::report::kLoadingStep));
    recordablePlan_.reset();
    try {
        const Mixer problem = BuildMixer();
        const auto report = quillan::report::topUpReport(
            problem, instructions::CurrentReportDateTime().toStdString(),
            reportOptions(Units(), cylinderChoice_->chosen()));
        showLines(lstBlendingInstructions, report);
        showingPlan(PlanCommand::TopUp, planMix(report));
        if (report.error) {
            library::ShowError(QStringLiteral("frmMain"), QStringLiteral("TopWithAir"),
                               quillan::RuntimeError(report.error->number, report.error->source,
                                                     report.error->description),
                               QString::fromStdString(report.step));
            return;
        }
        if (report.requiredMix) {
            fields_.txtTargetO2->setText(NumberText(report.requiredMix->o2));
            fields_.txtTargetHe->setText(NumberText(report.requiredMix->he));
            fields_.txtTargetN->setText(NumberText(report.requiredMix->n));
        }
        if (report.targetDepth) {
            fields_.txtTargetDepth->setText(NumberText(*report.targetDepth));
            ShowMixAtDepth();
        }
    } catch (const quillan::RuntimeError& err) {
        library::ShowError(QStringLiteral("frmMain"), QStringLiteral("TopWithAir"), err, step);
    }
}

QStringList frmMain::planWithBanks(const quillan::BankSupply& supply) const {
    auto options = reportOptions(Units(), cylinderChoice_->chosen());
    if (!options.cylinder)
        return {QStringLiteral("Choose the cylinder being filled in the starting mix first.")};
    options.supply = supply;
    // A top-up bank holding helium is planned as the top-up gas; a nitrox one follows the
    // window's top-up field.
    for (const quillan::Bank& bank : supply.banks)
        if (bank.role == quillan::SupplyGas::TopUp && bank.gas.he().value() > 0.0)
            options.topUpGas = bank.gas;
    QStringList lines;
    try {
        const auto report = quillan::report::requiredMixReport(
            BuildMixer(), instructions::CurrentReportDateTime().toStdString(), options);
        for (const std::string& line : report.lines)
            lines << QString::fromStdString(line);
        if (report.error)
            lines << QString::fromStdString(quillan::report::errorAtLine(report.step));
    } catch (const std::exception&) {
        lines << QString::fromStdString(
            quillan::report::errorAtLine(std::string(quillan::report::kLoadingStep)));
    }
    return lines;
}
