// The required mix's depth figures: MOD at a PO2 of 1.6, and END and PO2 at the target depth.
#include "frm_main.h"

#include "module1.h"

#include <QLineEdit>

void frmMain::ShowMixAtDepth() {
    const double o2 = Module1::TextToDouble(txtTargetO2->text());
    const std::int16_t depth = Module1::TextToInt16(txtTargetDepth->text());
    if (depth == 0 || o2 == 0) {
        txtTargetMOD->setText(QStringLiteral("0"));
        txtTargetEND->setText(QStringLiteral("0"));
        txtTargetPO2->setText(QStringLiteral("0"));
        return;
    }
    // The same quantity as CalcMOD, in this order of operations.
    const quillan::SeaWaterScale scale = quillan::report::seaWaterScale(m_units);
    const double perAtmosphere = scale.depthPerAtmosphere;
    const double mod =
        quillan::checkedDivide(1.6, Module1::TextToDouble(txtTargetO2->text()) / 100.0) *
            perAtmosphere -
        perAtmosphere;
    txtTargetMOD->setText(Module1::NumberText(quillan::toInt16(mod)));
    txtTargetEND->setText(
        Module1::NumberText(Module1::CalcEND(Module1::TextToDouble(txtTargetN->text()),
                                             Module1::TextToInt16(txtTargetDepth->text()), scale)));
    txtTargetPO2->setText(
        Module1::Fixed2Text(Module1::CalcPO2(Module1::TextToDouble(txtTargetO2->text()),
                                             Module1::TextToInt16(txtTargetDepth->text()), scale)));
}
