#include "controls/twips_layout.h"

#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QPalette>
#include <QWidget>

#include <cmath>

namespace layout {

int twips(int value) {
    return static_cast<int>(std::lround(value / 15.0));
}

QRect twipsRect(int left, int top, int width, int height) {
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

QFont verdana(double pointSize, bool bold) {
    QFont font(QStringLiteral("Verdana"));
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

QFont defaultFont() {
    return verdana(8.25, false);
}

void place(QWidget* control, const char* name, const QRect& twipsGeometry, const QFont& font) {
    control->setObjectName(QString::fromLatin1(name));
    control->setFont(font);
    control->setGeometry(twipsGeometry);
}

QLabel* addLabel(QWidget* parent, const char* name, const QString& text, const QRect& twipsGeometry,
                 const QFont& font, bool wordWrap) {
    auto* label = new QLabel(text, parent);
    place(label, name, twipsGeometry, font);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(wordWrap);
    if (wordWrap) {
        shrinkFontToHeight(label);
    } else {
        const QSize needed = label->sizeHint();
        label->resize(qMax(label->width(), needed.width()), qMax(label->height(), needed.height()));
    }
    return label;
}

QFrame* addHorizontalLine(QWidget* parent, const char* name, int index, int x1, int y, int x2) {
    auto* line = new QFrame(parent);
    line->setObjectName(QString::fromLatin1(name));
    line->setProperty("Index", index);
    line->setFrameShape(QFrame::NoFrame);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, QColor(192, 192, 192));
    line->setPalette(palette);
    line->setGeometry(twips(x1), twips(y), twips(x2) - twips(x1), 1);
    return line;
}

namespace {

constexpr double kSmallestPointSize = 6.0;

bool smaller(QWidget* control) {
    QFont font = control->font();
    if (font.pointSizeF() - 0.25 < kSmallestPointSize)
        return false;
    font.setPointSizeF(font.pointSizeF() - 0.25);
    control->setFont(font);
    return true;
}

int widest(const QFontMetrics& metrics, const QStringList& samples) {
    int result = 0;
    for (const QString& sample : samples)
        result = qMax(result, metrics.horizontalAdvance(sample));
    return result;
}

} // namespace

void shrinkFontToWidth(QWidget* control, const QStringList& samples, int width) {
    while (widest(control->fontMetrics(), samples) > width && smaller(control)) {
    }
}

void shrinkFontToHeight(QLabel* label) {
    while (label->heightForWidth(label->width()) > label->height() && smaller(label)) {
    }
}

} // namespace layout
