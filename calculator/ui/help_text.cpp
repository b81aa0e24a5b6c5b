// The help text the instructions list shows at start and after a click on "Instructions".
#include "frm_main.h"

#include "module1.h"
#include "report_text.h"

#include <QListWidget>

QStringList frmMain::HelpText() {
    const QString separator = Module1::SeparatorLine();
    const QString enterStartingMix = QStringLiteral(
        "Enter the Starting Mix information. Leave values at 0 if the tank is empty.");
    const QString topupMix1 = QStringLiteral(
        "Enter the top up mix. This is usually Air but some sites have the ability to");
    const QString topupMix2 =
        QStringLiteral("fill with EANX32 or EANX36. This can reduce the amount of O2 required.");
    const QString replaced =
        QStringLiteral("Values in the Target mix will be replaced with new mix calculations.");
    const QString displayed =
        QStringLiteral("Mixing instructions and Target Mix information will be displayed.");
    const QString changeDepth =
        QStringLiteral("Change the value in Target Depth to view mix properties at that depth.");
    return {Module1::GetAppTitle(),
            Module1::CurrentReportDateTime(),
            separator,
            QString(),
            QString(),
            QStringLiteral("How to calculate a Top up Mix"),
            separator,
            QStringLiteral("** Step 1 **"),
            enterStartingMix,
            QString(),
            QStringLiteral("** Step 2 **"),
            topupMix1,
            topupMix2,
            QString(),
            QStringLiteral("** Step 3 **"),
            QStringLiteral("Press [Calculate] to 'Top up Starting Mix...'"),
            replaced,
            displayed,
            changeDepth,
            QString(),
            QString(),
            QStringLiteral("How to create a Required Mix"),
            separator,
            QStringLiteral("** Step 1 **"),
            enterStartingMix,
            QString(),
            QStringLiteral("** Step 2 **"),
            QStringLiteral("Enter the Required Mix information. "),
            QString(),
            QStringLiteral("** Step 3 **"),
            topupMix1,
            topupMix2,
            QString(),
            QStringLiteral("** Step 4 **"),
            QStringLiteral("Press [Calculate] to 'Calculate how to obtain the Required Mix'"),
            replaced,
            displayed,
            changeDepth,
            QString(),
            separator};
}

void frmMain::LoadInstructions() {
    try {
        lstBlendingInstructions->clear();
        for (const QString& line : HelpText())
            lstBlendingInstructions->addItem(line);
    } catch (const quillan::RuntimeError& err) {
        Module1::ShowError(QStringLiteral("frmMain"), QStringLiteral("LoadInstructions"), err);
    }
}
