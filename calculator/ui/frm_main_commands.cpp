// The two calculation commands: how to blend the required mix, and which mix a plain
// top-up gives.
#include "frm_main.h"

#include "module1.h"
#include "report_text.h"

#include <QLineEdit>
#include <QListWidget>

using Module1::NumberText;
using quillan::Mixer;

namespace {

QString text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

// Both reports end alike: the final mix and its MOD, with PO2 and END at that depth.
void addFinalMixLines(QListWidget* list, const Mixer& mixer) {
    list->addItem(QString());
    list->addItem(QStringLiteral("Final Mix: ") +
                  text(mixer.GetMixDescription(quillan::kTargetTank)));
    list->addItem(Module1::SeparatorLine());
    const std::int16_t mod = Module1::CalcMOD(mixer.TargetO2());
    list->addItem(QStringLiteral("MOD ") + NumberText(mod) + QStringLiteral(" fsw"));
    list->addItem(QStringLiteral("PO2 ") +
                  Module1::Fixed2Text(Module1::CalcPO2(double(mixer.TargetO2()), mod)));
    list->addItem(QStringLiteral("END ") +
                  NumberText(Module1::CalcEND(double(mixer.TargetN()), mod)) +
                  QStringLiteral(" fsw"));
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
    const QString step = QStringLiteral("Loading Mix Array");
    QListWidget* list = lstBlendingInstructions;
    try {
        Mixer mixer = BuildMixer();
        const QString source = text(mixer.GetMixDescription(quillan::kSourceTank));
        const QString topup = text(mixer.GetMixDescription(quillan::kTopupGas));
        list->clear();
        list->addItem(QStringLiteral("Mix Calculation ") + Module1::CurrentReportDateTime());
        list->addItem(QStringLiteral("Calculate ") + source + QStringLiteral(" to ") +
                      text(mixer.GetMixDescription(quillan::kTargetTank)) +
                      QStringLiteral(" by adding He, O2 and ") + topup);
        list->addItem(Module1::SeparatorLine());

        if (mixer.TargetPSI() == 0 || mixer.TargetO2() == 0) {
            list->addItem(QStringLiteral("Target cylinder PSI and fO2 are required values"));
            return;
        }
        if (mixer.SourcePSI() >= mixer.TargetPSI()) {
            list->addItem(QStringLiteral("Source PSI = ") + NumberText(mixer.SourcePSI()));
            list->addItem(QStringLiteral("Target PSI = ") + NumberText(mixer.TargetPSI()));
            list->addItem(QStringLiteral("Target PSI is less than or equal to the Source PSI"));
            return;
        }
        if (mixer.SourcePSI() > 100 && mixer.SourceO2() <= 10) {
            list->addItem(QStringLiteral("Low source O2. Must be > 10"));
            return;
        }

        if (mixer.CalcMix()) {
            list->addItem(QStringLiteral("Mixing"));
            list->addItem(Module1::SeparatorLine());
            if (mixer.DrainAmount() > 0)
                list->addItem(QStringLiteral("Drain ") + NumberText(mixer.DrainAmount()) +
                              QStringLiteral(" PSI from the starting Mix"));
            list->addItem(QStringLiteral("Starting ") + source + QStringLiteral(" PSI should be ") +
                          NumberText(quillan::subInt16(mixer.SourcePSI(), mixer.DrainAmount())));
            if (mixer.AddHePSI() > 0)
                list->addItem(QStringLiteral("Add ") + NumberText(mixer.AddHePSI()) +
                              QStringLiteral(" PSI of He"));
            if (mixer.AddO2PSI() > 0)
                list->addItem(QStringLiteral("Add ") + NumberText(mixer.AddO2PSI()) +
                              QStringLiteral(" PSI of O2"));
            list->addItem(QStringLiteral("Add ") + NumberText(mixer.TopupMixPSI()) +
                          QStringLiteral(" PSI of ") + topup);
            list->addItem(QStringLiteral("Ending PSI should be ") + NumberText(mixer.TargetPSI()));
            addFinalMixLines(list, mixer);
        } else {
            list->addItem(text(mixer.ErrDesc()));
        }

        txtTargetDepth->setText(
            NumberText(Module1::CalcMOD(Module1::TextToInt16(txtTargetO2->text()))));
        ShowMixAtDepth();
    } catch (const std::exception&) {
        // Any failure, the engine's own or a field that is not a number, ends in one line.
        list->addItem(QStringLiteral("Error at ") + step);
    }
}

void frmMain::cmdTopWithAir_Click() {
    const QString step = QStringLiteral("Loading Mix Array");
    QListWidget* list = lstBlendingInstructions;
    try {
        Mixer mixer = BuildMixer();
        const QString topupGas = text(Module1::GetGasName(double(mixer.TopupMixFO2())));
        list->clear();
        list->addItem(QStringLiteral("Mix Calculation ") + Module1::CurrentReportDateTime());
        list->addItem(QStringLiteral("Top ") + text(mixer.GetMixDescription(quillan::kSourceTank)) +
                      QStringLiteral(" with ") + topupGas + QStringLiteral(" to ") +
                      NumberText(mixer.TargetPSI()) + QStringLiteral(" PSI"));
        list->addItem(Module1::SeparatorLine());

        if (mixer.TargetPSI() == 0) {
            list->addItem(QStringLiteral("Target cylinder PSI is required"));
            return;
        }
        if (mixer.SourcePSI() >= mixer.TargetPSI()) {
            list->addItem(QStringLiteral("Source PSI = ") + NumberText(mixer.SourcePSI()));
            list->addItem(QStringLiteral("Target PSI = ") + NumberText(mixer.TargetPSI()));
            list->addItem(QStringLiteral("Target PSI is less than or equal to the Source PSI"));
            list->addItem(QString());
            list->addItem(QStringLiteral("End Calculation"));
            return;
        }
        if (mixer.SourcePSI() > 100 && mixer.SourceO2() <= 10) {
            list->addItem(QStringLiteral("Low source O2. Must be > 10"));
            return;
        }

        const std::int16_t add = quillan::subInt16(mixer.TargetPSI(), mixer.SourcePSI());
        const std::int16_t o2Added = quillan::toInt16(mixer.TopupMixFO2() / 100.0 * add);
        const std::int16_t nAdded = quillan::subInt16(add, o2Added);
        const double sourcePSI = mixer.SourcePSI();
        const double targetPSI = mixer.TargetPSI();
        mixer.TargetO2(quillan::toInt16(
            quillan::checkedDivide(mixer.SourceO2() / 100.0 * sourcePSI + o2Added, targetPSI) *
            100.0));
        mixer.TargetHe(quillan::toInt16(
            quillan::checkedDivide(mixer.SourceHe() / 100.0 * sourcePSI, targetPSI) * 100.0));
        mixer.TargetN(quillan::toInt16(
            quillan::checkedDivide(mixer.SourceN() / 100.0 * sourcePSI + nAdded, targetPSI) *
            100.0));

        txtTargetO2->setText(NumberText(mixer.TargetO2()));
        txtTargetHe->setText(NumberText(mixer.TargetHe()));
        txtTargetN->setText(NumberText(mixer.TargetN()));
        txtTargetDepth->setText(NumberText(Module1::CalcMOD(mixer.TargetO2())));
        ShowMixAtDepth();

        list->addItem(QStringLiteral("Mixing"));
        list->addItem(Module1::SeparatorLine());
        list->addItem(QStringLiteral("Starting ") +
                      text(mixer.GetMixDescription(quillan::kSourceTank)) +
                      QStringLiteral(" PSI should be ") + NumberText(mixer.SourcePSI()));
        list->addItem(QStringLiteral("Add ") + NumberText(add) + QStringLiteral(" PSI of ") +
                      topupGas);
        addFinalMixLines(list, mixer);
    } catch (const quillan::RuntimeError& err) {
        Module1::ShowError(QStringLiteral("frmMain"), QStringLiteral("TopWithAir"), err, step);
    }
}
