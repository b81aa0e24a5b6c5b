// The two calculation commands: how to blend the required mix, and which mix a plain
// top-up gives. The report module writes the lines; the window reads and writes fields.
#include "frm_main.h"

#include "gas_model_menu.h"
#include "module1.h"
#include "report/blend_report.h"
#include "report_text.h"

#include <QLineEdit>
#include <QListWidget>

using Module1::NumberText;
using quillan::Mixer;

namespace {

quillan::report::ReportOptions reportOptions(quillan::report::UnitSystem units) {
    quillan::report::ReportOptions options;
    options.units = units;
    options.numbers = Module1::UserNumberLocale();
    options.gas = GasModelSetting::Stored();
    return options;
}

void showLines(QListWidget* list, const quillan::report::BlendReport& report) {
    list->clear();
    for (const std::string& line : report.lines)
        list->addItem(QString::fromStdString(line));
}

} // namespace

Mixer frmMain::BuildMixer() const {
    Mixer mixer;
    mixer.SourcePSI(Module1::TextToInt16(txtSourcePSI->text()));
    mixer.SourceO2(Module1::TextToInt16(txtSourceO2->text()));
    mixer.SourceHe(Module1::TextToInt16(txtSourceHe->text()));
    mixer.SourceN(Module1::TextToInt16(txtSourceN->text()));
    mixer.TargetPSI(Module1::TextToInt16(txtTargetPSI->text()));
    mixer.TargetO2(Module1::TextToInt16(txtTargetO2->text()));
    mixer.TargetHe(Module1::TextToInt16(txtTargetHe->text()));
    mixer.TargetN(Module1::TextToInt16(txtTargetN->text()));
    mixer.TopupMixFO2(Module1::TextToInt16(txtTopO2->text()));
    return mixer;
}

void frmMain::cmdCalc_Click() {
    const std::string step(quillan::report::kLoadingStep);
    QListWidget* list = lstBlendingInstructions;
    try {
        const Mixer problem = BuildMixer();
        const auto report = quillan::report::requiredMixReport(
            problem, Module1::CurrentReportDateTime().toStdString(), reportOptions(Units()));
        showLines(list, report);
        if (report.error) {
            list->addItem(QString::fromStdString(quillan::report::errorAtLine(report.step)));
            return;
        }
        if (report.targetDepth) {
            txtTargetDepth->setText(NumberText(*report.targetDepth));
            ShowMixAtDepth();
        }
    } catch (const std::exception&) {
        // Any failure, the engine's own or a field that is not a number, ends in one line.
        list->addItem(QString::fromStdString(quillan::report::errorAtLine(step)));
    }
}

void frmMain::cmdTopWithAir_Click() {
    const QString step = QString::fromStdString(std::string(quillan::report::kLoadingStep));
    try {
        const Mixer problem = BuildMixer();
        const auto report = quillan::report::topUpReport(
            problem, Module1::CurrentReportDateTime().toStdString(), reportOptions(Units()));
        showLines(lstBlendingInstructions, report);
        if (report.error) {
            Module1::ShowError(QStringLiteral("frmMain"), QStringLiteral("TopWithAir"),
                               quillan::RuntimeError(report.error->number, report.error->source,
                                                     report.error->description),
                               QString::fromStdString(report.step));
            return;
        }
        if (report.requiredMix) {
            txtTargetO2->setText(NumberText(report.requiredMix->o2));
            txtTargetHe->setText(NumberText(report.requiredMix->he));
            txtTargetN->setText(NumberText(report.requiredMix->n));
        }
        if (report.targetDepth) {
            txtTargetDepth->setText(NumberText(*report.targetDepth));
            ShowMixAtDepth();
        }
    } catch (const quillan::RuntimeError& err) {
        Module1::ShowError(QStringLiteral("frmMain"), QStringLiteral("TopWithAir"), err, step);
    }
}
