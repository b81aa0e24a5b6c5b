// Places controls from positions given in twips (15 to the pixel) and gives them the
// window's fonts, widening a control only where its text needs more room.
#pragma once

#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>

class QFrame;
class QLabel;
class QWidget;

namespace layout {

int twips(int value);
QRect twipsRect(int left, int top, int width, int height);

// Verdana 8.25 pt regular, the default font of both windows.
QFont defaultFont();
QFont verdana(double pointSize, bool bold);

// The control at its position in twips, with the given name and font.
void place(QWidget* control, const char* name, const QRect& twipsGeometry, const QFont& font);

// A label at its position, top-left aligned. When its text would not fit the room the
// layout gives it, a one-line label is widened and a word-wrapped one gets a smaller font.
QLabel* addLabel(QWidget* parent, const char* name, const QString& text, const QRect& twipsGeometry,
                 const QFont& font, bool wordWrap = false);

// A light grey horizontal line from (x1, y) to (x2, y) in twips; a member of a control
// array, so it carries its index as the dynamic property "Index".
QFrame* addHorizontalLine(QWidget* parent, const char* name, int index, int x1, int y, int x2);

// Where the font that stands in for a missing family is wider than the original, makes the
// control's font smaller (in quarter points, down to 6 pt) until every sample text fits
// `width` pixels on one line.
void shrinkFontToWidth(QWidget* control, const QStringList& samples, int width);

// The same for a word-wrapped label, until its text fits the label's height.
void shrinkFontToHeight(QLabel* label);

} // namespace layout
