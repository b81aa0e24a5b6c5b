#include "geo_support_object.h"

#include "geo_support.h"
#include "marshal.h"
#include "qor/call_through.h"

namespace qor::server {

const DispatchTable& GeoSupportObject::dispatchTable() {
    static const DispatchTable table({
        function<&_GeoSupport::DMSEnum>(u"DMSEnum", 0x60030000, {}, VT_DISPATCH),
        function<&_GeoSupport::ValidateGeoCoordinate>(
            u"ValidateGeoCoordinate", 0x60030001,
            {{u"CoordinateType", VT_I4}, {u"InputValue", VT_BSTR}}, VT_R8),
        function<&_GeoSupport::DMStoDecimalDegrees>(
            u"DMStoDecimalDegrees", 0x60030002,
            {{u"CoordinateType", VT_I4}, {u"InputValue", VT_BSTR}}, VT_R8),
        function<&_GeoSupport::ConvertImpliedDecimals>(
            u"ConvertImpliedDecimals", 0x60030003,
            {{u"InputValue", VT_BSTR}, {u"ImpliedDecimals", VT_I2}}, VT_R8),
        function<&_GeoSupport::ComputeLineAngle>(u"ComputeLineAngle", 0x60030004,
                                                 {{u"x", VT_R8}, {u"y", VT_R8}}, VT_I2),
        function<&_GeoSupport::ShotPointSortValue>(
            u"ShotPointSortValue", 0x60030005,
            {{u"Shotpoint", VT_BSTR},
             {u"MaxStringLength", VT_I2},
             {u"DisplayError", VT_BOOL, true, true, VARIANT_FALSE}},
            VT_BSTR),
    });
    return table;
}

HRESULT GeoSupportObject::DMSEnum(Collection** retVal) {
    if (retVal == nullptr)
        return E_POINTER;
    *retVal = nullptr;
    return guarded([&] { *retVal = geo::DMSEnum(); });
}

HRESULT GeoSupportObject::ValidateGeoCoordinate(::GeoCoordType CoordinateType, BSTR InputValue,
                                                double* retVal) {
    if (retVal == nullptr)
        return E_POINTER;
    *retVal = 0;
    return guarded(
        [&] { *retVal = geo::ValidateGeoCoordinate(enumValue(CoordinateType), view(InputValue)); });
}

HRESULT GeoSupportObject::DMStoDecimalDegrees(::GeoCoordType CoordinateType, BSTR InputValue,
                                              double* retVal) {
    if (retVal == nullptr)
        return E_POINTER;
    *retVal = 0;
    return guarded(
        [&] { *retVal = geo::DMStoDecimalDegrees(enumValue(CoordinateType), view(InputValue)); });
}

HRESULT GeoSupportObject::ConvertImpliedDecimals(BSTR InputValue, short ImpliedDecimals,
                                                 double* retVal) {
    if (retVal == nullptr)
        return E_POINTER;
    *retVal = 0;
    return guarded(
        [&] { *retVal = geo::ConvertImpliedDecimals(view(InputValue), ImpliedDecimals); });
}

HRESULT GeoSupportObject::ComputeLineAngle(double x, double y, short* retVal) {
    if (retVal == nullptr)
        return E_POINTER;
    *retVal = 0;
    return guarded([&] { *retVal = geo::ComputeLineAngle(x, y); });
}

HRESULT GeoSupportObject::ShotPointSortValue(BSTR Shotpoint, short MaxStringLength,
                                             VARIANT_BOOL* DisplayError, BSTR* retVal) {
    if (retVal == nullptr)
        return E_POINTER;
    *retVal = nullptr;
    const bool display = DisplayError ? toBool(*DisplayError) : false;
    return guarded([&] {
        *retVal = toBstr(geo::ShotPointSortValue(view(Shotpoint), MaxStringLength, display));
    });
}

} // namespace qor::server
