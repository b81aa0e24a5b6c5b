#include "instructions/help_text.h"

#include "engine/runtime_error.h"
#include "instructions/report_text.h"
#include "library/common_calls.h"
#include "program/app_title.h"

#include <QListWidget>

namespace instructions {

QStringList HelpText() {
    const QString separator = SeparatorLine();
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
    return {program::GetAppTitle(),
            CurrentReportDateTime(),
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

void LoadInstructions(QListWidget& list) {
    try {
        list.clear();
        for (const QString& line : HelpText())
            list.addItem(line);
    } catch (const quillan::RuntimeError& err) {
        library::ShowError(QStringLiteral("frmMain"), QStringLiteral("LoadInstructions"), err);
    }
}

} // namespace instructions
