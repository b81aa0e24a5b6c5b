// The contrast of text as it is painted: a window is rendered and, inside a region, the
// commonest colour is taken as the background and the pixel farthest from it in
// luminance as the text.
#pragma once

#include <QColor>
#include <QRect>

class QWidget;

namespace testsupport {

struct PaintedText {
    QColor text;
    QColor background;
    double ratio = 1.0;
};

// `region` is in the coordinates of `control`; the whole window is rendered, so
// backgrounds painted by parents count.
PaintedText paintedText(QWidget* control, const QRect& region);

// The region of a control that holds its text: a label's text box (by its alignment), a
// field's inside without its frame, a group box's caption.
QRect textRegion(QWidget* control);

} // namespace testsupport
