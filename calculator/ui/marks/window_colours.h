// The colours the calculator paints itself: the grey of read-only fields, the blue of group
// captions and link labels, the red of the disclaimer's warning and the danger marks. The
// designed colours stay wherever they read (WCAG AA, 4.5:1) on the palette in use, which
// keeps the classic light look; on other palettes, dark ones above all, they come from the
// palette and are lightened or darkened until they read.
#pragma once

#include "marks/mark_kinds.h"

#include <QColor>

class QLineEdit;
class QPalette;
class QWidget;

namespace colours {

// Behind a read-only field's text: the designed light grey, else the palette's alternate
// base (or its disabled base, or window colour, where those differ from the base).
QColor readOnlyBackground(const QPalette& palette);

// Group captions and link labels on the window's background: the designed blue, else the
// palette's link colour.
QColor linkText(const QPalette& palette);

// `designed` where it reads on the palette's window colour, else the closest colour that does.
QColor textOnWindow(const QColor& designed, const QPalette& palette);

// A danger mark's text and badge on a field's background: its designed colour (see
// markLook) where that reads, else the closest colour that does.
QColor dangerText(Danger danger, const QColor& background);

} // namespace colours

// A field's background and text colours from its window's palette, its read-only state
// and its danger mark (see markDanger).
void applyFieldColours(QLineEdit* field);

// Marks a field's figure as dangerous (colour, weight and badge from markLook) and says why
// in its tooltip and the badge's, or clears the mark. The text itself is left alone.
void markDanger(QLineEdit* field, Danger danger, const QString& reason);
Danger dangerOf(const QLineEdit* field);

// Every derived colour of the main window, again after each palette change.
void applyWindowColours(QWidget& window);
