#include "painted_contrast.h"

#include "marks/contrast.h"

#include <QGroupBox>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>

namespace testsupport {

PaintedText paintedText(QWidget* control, const QRect& region) {
    QWidget* window = control->window();
    const QImage image = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect area =
        region.translated(control->mapTo(window, QPoint(0, 0))).intersected(image.rect());
    QHash<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb background = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most) {
            most = it.value();
            background = it.key();
        }
    PaintedText painted;
    painted.background = QColor(background);
    painted.text = painted.background;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        const double ratio = contrast::ratio(QColor(it.key()), painted.background);
        if (ratio > painted.ratio) {
            painted.ratio = ratio;
            painted.text = QColor(it.key());
        }
    }
    return painted;
}

QRect textRegion(QWidget* control) {
    if (auto* label = qobject_cast<QLabel*>(control)) {
        const QSize text = label->wordWrap()
                               ? QSize(label->width(), label->heightForWidth(label->width()))
                               : label->sizeHint();
        QRect box(QPoint(0, 0), text.boundedTo(label->size()));
        if (label->alignment() & Qt::AlignRight)
            box.moveRight(label->width() - 1);
        else if (label->alignment() & Qt::AlignHCenter)
            box.moveLeft((label->width() - box.width()) / 2);
        return box;
    }
    if (qobject_cast<QLineEdit*>(control) != nullptr)
        return control->rect().adjusted(3, 3, -3, -3);
    if (auto* group = qobject_cast<QGroupBox*>(control)) {
        const QFontMetrics metrics(group->font());
        // The caption sits at the top left, a few pixels in.
        return QRect(0, 0, std::min(group->width(), metrics.horizontalAdvance(group->title()) + 16),
                     metrics.height());
    }
    return control->rect();
}

} // namespace testsupport
