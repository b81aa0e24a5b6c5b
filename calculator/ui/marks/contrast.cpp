#include "marks/contrast.h"

#include <algorithm>
#include <cmath>

namespace contrast {

namespace {

double linearChannel(double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

QColor mixed(const QColor& from, const QColor& to, double share) {
    const auto channel = [share](int a, int b) {
        return static_cast<int>(std::nearbyint(a + (b - a) * share));
    };
    return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()),
                  channel(from.blue(), to.blue()));
}

} // namespace

double relativeLuminance(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return 0.2126 * linearChannel(rgb.redF()) + 0.7152 * linearChannel(rgb.greenF()) +
           0.0722 * linearChannel(rgb.blueF());
}

double ratio(const QColor& a, const QColor& b) {
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableOn(const QColor& colour, const QColor& background) {
    if (ratio(colour, background) >= kMinimumRatio)
        return colour.toRgb();
    // One of white and black always reaches 4.5:1 on any background (the worse of the
    // two best cases is about 4.58:1), so the mix ends at the latest at that end.
    const QColor end = ratio(Qt::white, background) >= ratio(Qt::black, background)
                           ? QColor(Qt::white)
                           : QColor(Qt::black);
    constexpr int kSteps = 20;
    for (int step = 1; step < kSteps; ++step) {
        const QColor candidate = mixed(colour.toRgb(), end, double(step) / kSteps);
        if (ratio(candidate, background) >= kMinimumRatio)
            return candidate;
    }
    return end;
}

} // namespace contrast
