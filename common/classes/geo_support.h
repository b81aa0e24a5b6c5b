// The operations of the library class GeoSupport, as plain C++. Failures that reach the
// caller are thrown as qor::AutomationError with the operation's re-raise applied.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "qor/com_interfaces.h"

namespace qor::geo {

enum class GeoCoordType : std::int32_t { Latcoordinate = 0, LonCoordinate = 1 };
enum class LatLonFormat : std::int32_t { DECIMAL_DEGREES = 0, DMS = 1 };

// A new collection each call, returned with one reference.
Collection* DMSEnum();
double ValidateGeoCoordinate(std::int32_t coordinateType, std::u16string_view inputValue);
double DMStoDecimalDegrees(std::int32_t coordinateType, std::u16string_view inputValue);
double ConvertImpliedDecimals(std::u16string_view inputValue, std::int16_t impliedDecimals);
std::int16_t ComputeLineAngle(double x, double y);
std::u16string ShotPointSortValue(std::u16string_view shotpoint, std::int16_t maxStringLength,
                                  bool displayError);

} // namespace qor::geo
