// ComputeLineAngle and ShotPointSortValue.
#include "geo_support.h"

#include <cmath>

namespace qor::geo {
namespace {

// Stand-ins for pi at their exact single-precision values, kept as the bearings the
// operation has always given depend on them.
constexpr double P = static_cast<double>(3.14f);
constexpr double Q = static_cast<double>(9.42f);
static_assert(P == 3.1400001049041748046875);
static_assert(Q == 9.4200000762939453125);

std::int16_t axisBearing(double x, double y) {
    std::int16_t result = 0;
    if (x == 0 && y > 0)
        result = 0;
    if (y == 0 && x > 0)
        result = 90;
    if (x == 0 && y < 0)
        result = 180;
    if (y == 0 && x < 0)
        result = 270;
    return result;
}

} // namespace

std::int16_t ComputeLineAngle(double x, double y) {
    if (x == 0 && y == 0)
        return 0;
    x = std::floor(x);
    y = std::floor(y);
    if (x == 0 || y == 0)
        return axisBearing(x, y);

    const double ax = std::fabs(x);
    const double ay = std::fabs(y);
    double a = 0;
    if (x > 0 && y > 0)
        a = std::atan(ax / ay);
    else if (x > 0 && y < 0)
        a = std::atan(ay / ax) + P / 2;
    else if (x < 0 && y < 0)
        a = std::atan(ax / ay) + P;
    else if (x < 0 && y > 0)
        a = std::atan(ay / ax) + Q / 2;
    const double bearing = std::floor(a * 180 / P);
    // A value without a bearing (from infinite input) is the trapped failure: 0.
    if (!(bearing >= -32768.0 && bearing <= 32767.0))
        return 0;
    return static_cast<std::int16_t>(bearing);
}

std::u16string ShotPointSortValue(std::u16string_view, std::int16_t, bool) {
    return {};
}

} // namespace qor::geo
