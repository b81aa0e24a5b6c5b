#include "fields/mod_tooltip.h"

#include "fields/number_text.h"
#include "fields/window_fields.h"
#include "options/calculator_settings.h"
#include "physics/depth.h"

#include <QEvent>
#include <QLineEdit>

namespace {

class ModTooltip : public QObject {
  public:
    ModTooltip(QLineEdit* o2, QLineEdit* mod, std::function<quillan::UnitSystem()> units)
        : QObject(mod), o2_(o2), mod_(mod), units_(std::move(units)) {}

  protected:
    // Worked out as the tooltip is about to show, so it follows the O2, the units and the PO2.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == mod_ && event->type() == QEvent::ToolTip)
            mod_->setToolTip(text());
        return false;
    }

  private:
    QString text() const {
        const quillan::UnitSystem units = units_();
        const double po2 = CalculatorSettings().divePO2();
        try {
            const std::int16_t mod = quillan::CalcMOD(fields::TextToInt16(o2_->text()),
                                                      quillan::seaWaterScale(units), po2);
            if (mod < 0)
                return {};
            return QStringLiteral("MOD at PO2 ") +
                   QString::fromStdString(quillan::formatNumber(po2, fields::UserNumberLocale())) +
                   QStringLiteral(": ") + fields::NumberText(mod) + QLatin1Char(' ') +
                   QString::fromUtf8(quillan::unitLabels(units).depth.data(),
                                     qsizetype(quillan::unitLabels(units).depth.size()));
        } catch (const std::exception&) {
            return {};
        }
    }

    QLineEdit* o2_;
    QLineEdit* mod_;
    std::function<quillan::UnitSystem()> units_;
};

} // namespace

void installModTooltip(const WindowFields& fields, std::function<quillan::UnitSystem()> units) {
    fields.txtTargetMOD->installEventFilter(
        new ModTooltip(fields.txtTargetO2, fields.txtTargetMOD, std::move(units)));
}
