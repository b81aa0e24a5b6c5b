#include "log/record_fill_dialog.h"

#include "fill_log/fill_time.h"
#include "log/fill_log_access.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

QLineEdit* addLine(QFormLayout* form, const char* name, const QString& caption,
                   const QString& hint = QString()) {
    auto* line = new QLineEdit;
    line->setObjectName(QLatin1String(name));
    line->setPlaceholderText(hint);
    form->addRow(caption, line);
    return line;
}

// Zero reads "unknown": the log keeps no figure rather than a wrong one.
QDoubleSpinBox* addFigure(QFormLayout* form, const char* name, const QString& caption,
                          double maximum, const QString& unit) {
    auto* figure = new QDoubleSpinBox;
    figure->setObjectName(QLatin1String(name));
    figure->setRange(0.0, maximum);
    figure->setDecimals(1);
    figure->setSuffix(QLatin1Char(' ') + unit);
    figure->setSpecialValueText(QStringLiteral("unknown"));
    form->addRow(caption, figure);
    return figure;
}

std::optional<double> known(const QDoubleSpinBox* figure) {
    return figure->value() > 0.0 ? std::optional(figure->value()) : std::nullopt;
}

} // namespace

RecordFillDialog::RecordFillDialog(
    QWidget* parent, std::function<QString(const quillan::filllog::FillRecord&)> record)
    : QDialog(parent), record_(std::move(record)) {
    setObjectName(QStringLiteral("dlgRecordFill"));
    setWindowTitle(QStringLiteral("Record this fill"));
    auto* form = new QFormLayout(this);
    customer_ = addLine(form, "txtCustomer", QStringLiteral("&Customer:"));
    serial_ = addLine(form, "txtCylinderSerial", QStringLiteral("Cylinder &serial:"));
    waterCapacity_ = addFigure(form, "spnWaterCapacity", QStringLiteral("&Water capacity:"), 100.0,
                               QStringLiteral("L"));
    workingPressure_ = addFigure(form, "spnWorkingPressure", QStringLiteral("Wor&king pressure:"),
                                 450.0, QStringLiteral("bar"));
    hydroTest_ = addLine(form, "txtHydroTest", QStringLiteral("Last &hydro test:"),
                         QStringLiteral("YYYY-MM-DD"));
    visualInspection_ =
        addLine(form, "txtVisualInspection", QStringLiteral("Last &visual inspection:"),
                QStringLiteral("YYYY-MM-DD"));
    oxygenClean_ = new QCheckBox(QStringLiteral("&Oxygen clean"));
    oxygenClean_->setObjectName(QStringLiteral("chkOxygenClean"));
    form->addRow(QString(), oxygenClean_);
    blender_ = addLine(form, "txtBlender", QStringLiteral("&Blender:"));
    notes_ = new QPlainTextEdit;
    notes_->setObjectName(QStringLiteral("txtNotes"));
    notes_->setTabChangesFocus(true);
    form->addRow(QStringLiteral("&Notes:"), notes_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel);
    buttons->setObjectName(QStringLiteral("btnsRecordFill"));
    QPushButton* recordButton =
        buttons->addButton(QStringLiteral("&Record"), QDialogButtonBox::AcceptRole);
    recordButton->setObjectName(QStringLiteral("cmdRecord"));
    recordButton->setDefault(true);
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

quillan::filllog::FillRecord RecordFillDialog::details() const {
    quillan::filllog::FillRecord fill;
    fill.time = quillan::filllog::utcNow();
    fill.customer = customer_->text().trimmed().toStdString();
    fill.blender = blender_->text().trimmed().toStdString();
    fill.cylinder.serial = serial_->text().trimmed().toStdString();
    fill.cylinder.waterCapacityLitres = known(waterCapacity_);
    fill.cylinder.workingPressureBar = known(workingPressure_);
    fill.cylinder.lastHydroTest = hydroTest_->text().trimmed().toStdString();
    fill.cylinder.lastVisualInspection = visualInspection_->text().trimmed().toStdString();
    fill.cylinder.oxygenClean = oxygenClean_->isChecked();
    fill.notes = notes_->toPlainText().toStdString();
    return fill;
}

void RecordFillDialog::accept() {
    const QString refused = record_(details());
    if (refused.isEmpty()) {
        QDialog::accept();
        return;
    }
    filllogui::showLogProblem(this, refused);
}
