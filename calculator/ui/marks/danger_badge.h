// The mark that does not rest on colour: a small badge inside the right end of a marked
// field (a circle with "!" for caution, a triangle with "!" for a warning), painted by the
// calculator itself so that no style sheet hides it, with the reason as its tooltip.
#pragma once

#include "marks/mark_kinds.h"

#include <QColor>

class QLabel;
class QLineEdit;
class QString;

// Shows, repaints or hides the field's badge (objectName: the field's name + "Mark"), its
// colour `colour` and its "!" in `background`, the field's own background.
void showDangerBadge(QLineEdit* field, Danger danger, const QColor& colour,
                     const QColor& background, const QString& reason);
QLabel* dangerBadge(const QLineEdit* field);
