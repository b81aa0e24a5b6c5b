// The GeoSupport class: coordinate conversion, line angle and shot-point ordering,
// stateless.
#pragma once

#include "QorCommon1.h"
#include "dual_object.h"

namespace qor::server {

class GeoSupportObject final : public DualObject<GeoSupportObject, _GeoSupport, IID__GeoSupport> {
  public:
    static const DispatchTable& dispatchTable();

    HRESULT STDMETHODCALLTYPE DMSEnum(Collection** retVal) override;
    HRESULT STDMETHODCALLTYPE ValidateGeoCoordinate(::GeoCoordType CoordinateType, BSTR InputValue,
                                                    double* retVal) override;
    HRESULT STDMETHODCALLTYPE DMStoDecimalDegrees(::GeoCoordType CoordinateType, BSTR InputValue,
                                                  double* retVal) override;
    HRESULT STDMETHODCALLTYPE ConvertImpliedDecimals(BSTR InputValue, short ImpliedDecimals,
                                                     double* retVal) override;
    HRESULT STDMETHODCALLTYPE ComputeLineAngle(double x, double y, short* retVal) override;
    HRESULT STDMETHODCALLTYPE ShotPointSortValue(BSTR Shotpoint, short MaxStringLength,
                                                 VARIANT_BOOL* DisplayError, BSTR* retVal) override;
};

} // namespace qor::server
