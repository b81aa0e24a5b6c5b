#include "log/fill_log_access.h"

#include "fill_log/fill_log_path.h"
#include "fill_log/sqlite_fill_store.h"
#include "options/calculator_settings.h"

#include <QMessageBox>

namespace filllogui {

std::unique_ptr<quillan::filllog::FillStore> openFillLog() {
    const QString chosen = CalculatorSettings().fillLogFile();
    const std::filesystem::path file = chosen.isEmpty()
                                           ? quillan::filllog::defaultFillLogPath()
                                           : std::filesystem::path(chosen.toStdString());
    return std::make_unique<quillan::filllog::SqliteFillStore>(file);
}

void showLogProblem(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Fill log"), text, QMessageBox::Ok,
                    parent);
    box.setObjectName(QStringLiteral("msgFillLog"));
    box.exec();
}

} // namespace filllogui
