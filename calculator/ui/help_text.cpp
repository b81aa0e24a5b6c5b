// The help text the instructions list shows at start and after a click on "Instructions".
#include "frm_main.h"

#include "module1.h"
#include "report_text.h"

#include <QListWidget>

void frmMain::LoadInstructions() {
    try {
        QListWidget* list = lstBlendingInstructions;
        const QString separator = Module1::SeparatorLine();
        const QString enterStartingMix =
            QStringLiteral("Enter the Starting Mix information. Leave values at 0 if the tank is empty.");
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

        list->clear();
        list->addItem(Module1::GetAppTitle());
        list->addItem(Module1::CurrentReportDateTime());
        list->addItem(separator);
        list->addItem(QString());
        list->addItem(QString());
        list->addItem(QStringLiteral("How to calculate a Top up Mix"));
        list->addItem(separator);
        list->addItem(QStringLiteral("** Step 1 **"));
        list->addItem(enterStartingMix);
        list->addItem(QString());
        list->addItem(QStringLiteral("** Step 2 **"));
        list->addItem(topupMix1);
        list->addItem(topupMix2);
        list->addItem(QString());
        list->addItem(QStringLiteral("** Step 3 **"));
        list->addItem(QStringLiteral("Press [Calculate] to 'Top up Starting Mix...'"));
        list->addItem(replaced);
        list->addItem(displayed);
        list->addItem(changeDepth);
        list->addItem(QString());
        list->addItem(QString());
        list->addItem(QStringLiteral("How to create a Required Mix"));
        list->addItem(separator);
        list->addItem(QStringLiteral("** Step 1 **"));
        list->addItem(enterStartingMix);
        list->addItem(QString());
        list->addItem(QStringLiteral("** Step 2 **"));
        list->addItem(QStringLiteral("Enter the Required Mix information. "));
        list->addItem(QString());
        list->addItem(QStringLiteral("** Step 3 **"));
        list->addItem(topupMix1);
        list->addItem(topupMix2);
        list->addItem(QString());
        list->addItem(QStringLiteral("** Step 4 **"));
        list->addItem(QStringLiteral("Press [Calculate] to 'Calculate how to obtain the Required Mix'"));
        list->addItem(replaced);
        list->addItem(displayed);
        list->addItem(changeDepth);
        list->addItem(QString());
        list->addItem(separator);
    } catch (const quillan::RuntimeError& err) {
        Module1::ShowError(QStringLiteral("frmMain"), QStringLiteral("LoadInstructions"), err);
    }
}
