#include "instructions/print_layout.h"

#include <QFontMetricsF>

namespace instructions {

QString printedLine(const QString& line, const QFontMetricsF& metrics, double width) {
    const bool separator = !line.isEmpty() && line.count(QLatin1Char('-')) == line.size();
    if (!separator || metrics.horizontalAdvance(line) <= width)
        return line;
    const auto fitting =
        static_cast<qsizetype>(width / metrics.horizontalAdvance(QLatin1Char('-')));
    return line.left(fitting);
}

} // namespace instructions
