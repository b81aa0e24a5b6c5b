#include "label_painting.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace labelpdf {

namespace {

constexpr double kLabelWidthMm = 100.0;
constexpr double kLabelHeightMm = 50.0;
constexpr double kMarginMm = 4.0;
// Where the label sits on A4: inside what any printer can reach.
constexpr double kA4OffsetMm = 15.0;

QPageSize pageSize(LabelPaper paper) {
    if (paper == LabelPaper::A4)
        return QPageSize(QPageSize::A4);
    return QPageSize(QSizeF(kLabelWidthMm, kLabelHeightMm), QPageSize::Millimeter,
                     QStringLiteral("Cylinder label"), QPageSize::ExactMatch);
}

// The largest point size up to `points` at which `text` fits `width`.
QFont fitted(QFont font, double points, const QString& text, double width,
             const QPaintDevice& device) {
    for (; points > 4.0; points -= 0.5) {
        font.setPointSizeF(points);
        if (QFontMetricsF(font, &device).horizontalAdvance(text) <= width)
            break;
    }
    return font;
}

void paintLabel(QPainter& painter, const QRectF& area, const LabelText& label) {
    const QPaintDevice& device = *painter.device();
    const double dotsPerMm = device.logicalDpiX() / 25.4;
    const QRectF inside = area.adjusted(kMarginMm * dotsPerMm, kMarginMm * dotsPerMm,
                                        -kMarginMm * dotsPerMm, -kMarginMm * dotsPerMm);
    QFont large(QStringLiteral("DejaVu Sans"));
    large.setBold(true);
    large = fitted(large, 32.0, label.mix, inside.width(), device);
    painter.setFont(large);
    const QFontMetricsF largeMetrics(large, &device);
    double y = inside.top() + largeMetrics.ascent();
    painter.drawText(QPointF(inside.left(), y), label.mix);
    y += largeMetrics.descent() + largeMetrics.leading();
    QString widest;
    for (const QString& line : label.details)
        if (line.size() > widest.size())
            widest = line;
    const QFont small =
        fitted(QFont(QStringLiteral("DejaVu Sans")), 11.0, widest, inside.width(), device);
    painter.setFont(small);
    const QFontMetricsF smallMetrics(small, &device);
    for (const QString& line : label.details) {
        y += smallMetrics.lineSpacing();
        painter.drawText(QPointF(inside.left(), y), line);
    }
}

} // namespace

bool paintLabelPage(QPagedPaintDevice& device, LabelPaper paper, const LabelText& label) {
    device.setPageLayout(QPageLayout(pageSize(paper), QPageLayout::Portrait, QMarginsF()));
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const double dotsPerMm = device.logicalDpiX() / 25.4;
    const double offset = paper == LabelPaper::A4 ? kA4OffsetMm * dotsPerMm : 0.0;
    const QRectF area(offset, offset, kLabelWidthMm * dotsPerMm, kLabelHeightMm * dotsPerMm);
    if (paper == LabelPaper::A4)
        painter.drawRect(area);
    paintLabel(painter, area, label);
    return painter.end();
}

bool writeLabelPdf(const QString& file, LabelPaper paper, const LabelText& label, QString* error) {
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) {
        *error = QStringLiteral("Could not create %1: %2").arg(file, out.errorString());
        return false;
    }
    {
        QPdfWriter writer(&out);
        writer.setTitle(label.mix);
        writer.setCreator(QStringLiteral("Quillan"));
        if (!paintLabelPage(writer, paper, label)) {
            *error = QStringLiteral("Could not draw the label into %1").arg(file);
            return false;
        }
    }
    if (!out.commit()) {
        *error = QStringLiteral("Could not write %1: %2").arg(file, out.errorString());
        return false;
    }
    return true;
}

} // namespace labelpdf
