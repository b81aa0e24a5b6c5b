// How a list line is laid out on paper, where a line wider than the page cannot scroll.
#pragma once

#include <QString>

class QFontMetricsF;

namespace instructions {

// `line` as printed within `width`: a separator (hyphens only) is cut to the hyphens that
// fit, so it still spans the page; any other line is printed whole.
QString printedLine(const QString& line, const QFontMetricsF& metrics, double width);

} // namespace instructions
