#include "marks/danger_badge.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int kInset = 3; // from the field's right edge, inside its frame

QPixmap badgePixmap(BadgeShape shape, int size, qreal scale, const QColor& colour,
                    const QColor& background) {
    QPixmap pixmap(QSize(size, size) * scale);
    pixmap.setDevicePixelRatio(scale);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    const QRectF box(0, 0, size, size);
    if (shape == BadgeShape::Triangle) {
        QPainterPath triangle;
        triangle.moveTo(box.center().x(), box.top());
        triangle.lineTo(box.bottomRight());
        triangle.lineTo(box.bottomLeft());
        triangle.closeSubpath();
        painter.drawPath(triangle);
    } else {
        painter.drawEllipse(box);
    }
    // The "!" in the field's background colour, so it reads as the badge does.
    const qreal stroke = size / 6.0;
    const qreal x = box.center().x() - stroke / 2;
    painter.setBrush(background);
    painter.drawRect(QRectF(x, size * 0.3, stroke, size * 0.35));
    painter.drawRect(QRectF(x, size * 0.72, stroke, stroke));
    return pixmap;
}

} // namespace

QLabel* dangerBadge(const QLineEdit* field) {
    return field->findChild<QLabel*>(field->objectName() + QStringLiteral("Mark"),
                                     Qt::FindDirectChildrenOnly);
}

void showDangerBadge(QLineEdit* field, Danger danger, const QColor& colour,
                     const QColor& background, const QString& reason) {
    QLabel* badge = dangerBadge(field);
    const BadgeShape shape = markLook(danger).badge;
    if (shape == BadgeShape::None) {
        if (badge != nullptr)
            badge->hide();
        field->setTextMargins(0, 0, 0, 0);
        return;
    }
    const int size = std::max(8, field->height() - 8);
    if (badge == nullptr) {
        badge = new QLabel(field);
        badge->setObjectName(field->objectName() + QStringLiteral("Mark"));
    }
    badge->setGeometry(field->width() - size - 2 * kInset, (field->height() - size) / 2, size,
                       size);
    badge->setPixmap(badgePixmap(shape, size, field->devicePixelRatioF(), colour, background));
    badge->setToolTip(reason);
    // The figure never runs under the badge.
    field->setTextMargins(0, 0, size + kInset, 0);
    badge->show();
}
