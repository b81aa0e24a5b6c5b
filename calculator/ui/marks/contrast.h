// Text contrast as WCAG 2 measures it, and the nearest colour that reaches it, so colours
// taken from any palette stay readable on the background they are painted on.
#pragma once

#include <QColor>

namespace contrast {

// WCAG AA for normal text.
constexpr double kMinimumRatio = 4.5;

// 0 for black to 1 for white, from the sRGB channels.
double relativeLuminance(const QColor& colour);

// 1 (same luminance) to 21 (black on white), whichever of the two is lighter.
double ratio(const QColor& a, const QColor& b);

// `colour` itself when it reaches the minimum ratio on `background`; otherwise `colour`
// mixed towards white or black (whichever reads better on `background`) in small steps
// until it does, so the result keeps as much of its hue as readability allows.
QColor readableOn(const QColor& colour, const QColor& background);

} // namespace contrast
