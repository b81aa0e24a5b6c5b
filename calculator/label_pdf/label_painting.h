// A cylinder label drawn with Qt, on its own 100 x 50 mm page or on A4, for the window's
// printer and PDF output and for quillan-blend's --pdf.
#pragma once

#include <QString>
#include <QStringList>

class QPagedPaintDevice;

namespace labelpdf {

enum class LabelPaper { Label100x50, A4 };

struct LabelText {
    QString mix; // in large type
    QStringList details;
};

// Sets the device's page for `paper` and draws the label on it: on A4 at its real size near
// the top left corner, outlined for cutting. False when the device cannot be painted on.
bool paintLabelPage(QPagedPaintDevice& device, LabelPaper paper, const LabelText& label);

// Writes the label as a one-page PDF; the file is replaced only once it is whole. The
// error names the file.
bool writeLabelPdf(const QString& file, LabelPaper paper, const LabelText& label, QString* error);

} // namespace labelpdf
