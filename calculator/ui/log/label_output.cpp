#include "log/label_output.h"

#include "fill_log/cylinder_label.h"
#include "log/fill_log_access.h"

#include <QDir>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace filllogui {

labelpdf::LabelText labelText(const quillan::filllog::FillRecord& fill) {
    const quillan::filllog::CylinderLabel label = quillan::filllog::cylinderLabel(fill);
    labelpdf::LabelText text{QString::fromStdString(label.mix), {}};
    for (const std::string& line : label.details)
        text.details << QString::fromStdString(line);
    return text;
}

void printLabel(QWidget* parent, const labelpdf::LabelText& label, labelpdf::LabelPaper paper) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("dlgPrintLabel"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!labelpdf::paintLabelPage(printer, paper, label))
        showLogProblem(parent, QStringLiteral("The label could not be printed on %1.")
                                   .arg(printer.printerName().isEmpty() ? printer.outputFileName()
                                                                        : printer.printerName()));
}

void saveLabelPdf(QWidget* parent, const labelpdf::LabelText& label, labelpdf::LabelPaper paper,
                  std::int64_t fillId) {
    QFileDialog dialog(parent, QStringLiteral("Save label as PDF"), QDir::currentPath());
    dialog.setObjectName(QStringLiteral("dlgLabelPdf"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("PDF files (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile(QStringLiteral("Label %1.pdf").arg(fillId));
    if (dialog.exec() != QDialog::Accepted)
        return;
    QString error;
    if (!labelpdf::writeLabelPdf(dialog.selectedFiles().value(0), paper, label, &error))
        showLogProblem(parent, error);
}

} // namespace filllogui
