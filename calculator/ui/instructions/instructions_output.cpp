#include "instructions/instructions_output.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <QStringList>

#include <sys/stat.h>

#include "engine/runtime_error.h"
#include "instructions/instructions_list.h"
#include "instructions/print_layout.h"
#include "library/common_calls.h"

namespace {

quillan::RuntimeError outputError(std::int32_t number, const QString& description) {
    return quillan::RuntimeError(number, quillan::kRuntimeErrorSource, description.toStdString());
}

QString askSaveFileName(QWidget* parent, const QString& suggestedName) {
    QFileDialog dialog(parent, QStringLiteral("Save File"), QDir::currentPath());
    dialog.setObjectName(QStringLiteral("CommonDialog1"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const QStringList filters{QStringLiteral("Text Files (*.txt)"),
                              QStringLiteral("All Files (*.*)")};
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.first());
    dialog.selectFile(suggestedName);
    if (dialog.exec() != QDialog::Accepted)
        throw quillan::RuntimeError(qor::kErrCancelSelected, "CommonDialog1",
                                    std::string(qor::classicErrorText(qor::kErrCancelSelected)));
    return dialog.selectedFiles().value(0);
}

// A new file named without an extension becomes a text file; a file that exists (a device
// among them) is written under the name the user chose.
QString withTextSuffix(const QString& fileName) {
    const QFileInfo info(fileName);
    if (info.exists() || !info.suffix().isEmpty())
        return fileName;
    return fileName + QStringLiteral(".txt");
}

void writeLines(QFileDevice& file, const QString& fileName, const QStringList& lines) {
    for (const QString& line : lines) {
        const QByteArray bytes = library::NulltoString(line).toUtf8() + QByteArrayLiteral("\r\n");
        if (file.write(bytes) != bytes.size())
            throw outputError(
                qor::kErrDeviceIO,
                QStringLiteral("Could not write %1: %2").arg(fileName, file.errorString()));
    }
}

// A regular file is replaced only once every line has reached the disk, so a failure
// leaves the old file exactly as it was.
void saveToFile(const QString& fileName, const QStringList& lines) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw outputError(
            qor::kErrPathFileAccess,
            QStringLiteral("Could not create %1: %2").arg(fileName, file.errorString()));
    writeLines(file, fileName, lines);
    // commit() does not notice a short write while it flushes (a full disk, a size limit)
    // and would put the cut-off file in place; flushing first catches it.
    if (!file.flush() || !file.commit())
        throw outputError(
            qor::kErrDeviceIO,
            QStringLiteral("Could not write %1: %2").arg(fileName, file.errorString()));
}

bool isDevice(const QString& fileName) {
    struct stat info {};
    if (stat(QFile::encodeName(fileName).constData(), &info) != 0)
        return false;
    return S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode) || S_ISFIFO(info.st_mode) ||
           S_ISSOCK(info.st_mode);
}

// A device or pipe has no content to keep and must not be replaced by a regular file.
void writeToDevice(const QString& fileName, const QStringList& lines) {
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw outputError(
            qor::kErrPathFileAccess,
            QStringLiteral("Could not open %1: %2").arg(fileName, file.errorString()));
    writeLines(file, fileName, lines);
    if (!file.flush())
        throw outputError(
            qor::kErrDeviceIO,
            QStringLiteral("Could not write %1: %2").arg(fileName, file.errorString()));
}

QString printerDescription(const QPrinter& printer) {
    return printer.printerName().isEmpty() ? printer.outputFileName() : printer.printerName();
}

void printLines(QPrinter& printer, const QStringList& lines) {
    QPainter painter;
    if (!painter.begin(&printer))
        throw outputError(
            qor::kErrPrinter,
            QStringLiteral("Could not start printing on %1.").arg(printerDescription(printer)));
    QFont font(QStringLiteral("Courier"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(10.0);
    painter.setFont(font);
    const QFontMetricsF metrics(painter.font(), &printer);
    const double inch = printer.resolution();
    const double width = printer.pageRect(QPrinter::DevicePixel).width() - 2 * inch;
    double top = inch;
    for (const QString& line : lines) {
        painter.drawText(QPointF(inch, top + metrics.ascent()),
                         instructions::printedLine(line, metrics, width));
        top += metrics.lineSpacing();
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        throw outputError(
            qor::kErrPrinter,
            QStringLiteral("Could not finish printing on %1.").arg(printerDescription(printer)));
}

} // namespace

void saveInstructions(const InstructionsList& list, const QString& suggestedName) {
    try {
        const QStringList lines = list.outputLines();
        if (lines.isEmpty())
            return; // nothing to save, and no name to open
        const QString fileName = withTextSuffix(askSaveFileName(list.window(), suggestedName));
        if (isDevice(fileName))
            writeToDevice(fileName, lines);
        else
            saveToFile(fileName, lines);
        library::StartDoc(fileName, false);
    } catch (const quillan::RuntimeError& err) {
        library::ShowError(QStringLiteral("frmMain"), QStringLiteral("cmdlblSave_Click"), err);
    }
}

PrinterAccess systemPrinterAccess() {
    return {[] { return !QPrinterInfo::defaultPrinter().isNull(); },
            [](QPrinter& printer, QWidget* parent) {
                QPrintDialog dialog(&printer, parent);
                return dialog.exec() == QDialog::Accepted;
            }};
}

void printInstructions(const InstructionsList& list, QPrinter* printer) {
    if (printer == nullptr) {
        printInstructions(list, systemPrinterAccess());
        return;
    }
    try {
        const QStringList lines = list.outputLines();
        if (!lines.isEmpty())
            printLines(*printer, lines);
    } catch (const quillan::RuntimeError& err) {
        library::ShowError(QStringLiteral("frmMain"), QStringLiteral("cmdPrint_Click"), err);
    }
}

void printInstructions(const InstructionsList& list, const PrinterAccess& access) {
    try {
        const QStringList lines = list.outputLines();
        if (lines.isEmpty())
            return;
        if (access.hasDefaultPrinter()) {
            QPrinter systemPrinter(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
            printLines(systemPrinter, lines);
            return;
        }
        // Without a printer the user can still keep the report, as a PDF file.
        QPrinter pdfPrinter(QPrinter::HighResolution);
        pdfPrinter.setOutputFormat(QPrinter::PdfFormat);
        pdfPrinter.setOutputFileName(QDir::current().filePath(QStringLiteral("instructions.pdf")));
        if (access.choosePrinter(pdfPrinter, list.window()))
            printLines(pdfPrinter, lines);
    } catch (const quillan::RuntimeError& err) {
        library::ShowError(QStringLiteral("frmMain"), QStringLiteral("cmdPrint_Click"), err);
    }
}
