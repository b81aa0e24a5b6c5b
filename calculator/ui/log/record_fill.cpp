#include "log/record_fill.h"

#include "fill_log/planned_fill.h"
#include "log/fill_log_access.h"
#include "log/record_fill_dialog.h"

#include <QMessageBox>

namespace filllogui {

namespace {

void tell(QWidget* window, const QString& text) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("Record this fill"), text,
                    QMessageBox::Ok, window);
    box.setObjectName(QStringLiteral("msgRecordFill"));
    box.exec();
}

} // namespace

void recordFill(QWidget* window, const std::optional<ShownPlan>& plan, bool outOfDate) {
    if (!plan || !plan->report.plan) {
        tell(window, QStringLiteral("There is no plan to record. Calculate the required mix "
                                    "first, then record the fill."));
        return;
    }
    if (outOfDate) {
        tell(window, QStringLiteral("The plan shown is out of date: the mixes changed after it "
                                    "was made. Calculate it again, then record the fill."));
        return;
    }
    std::int64_t recorded = 0;
    RecordFillDialog dialog(window, [&](const quillan::filllog::FillRecord& who) {
        try {
            const quillan::filllog::FillRecord fill =
                quillan::filllog::plannedFill(who, plan->problem, plan->report, plan->options);
            recorded = openFillLog()->record(fill);
            return QString();
        } catch (const quillan::filllog::BadFill& bad) {
            return QString::fromStdString(bad.what()) + QStringLiteral("; nothing was stored.");
        } catch (const quillan::filllog::StoreError& store) {
            return QString::fromStdString(store.what());
        }
    });
    if (dialog.exec() == QDialog::Accepted)
        tell(window, QStringLiteral("Recorded as fill %1.").arg(recorded));
}

} // namespace filllogui
