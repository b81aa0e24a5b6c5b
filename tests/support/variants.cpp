#include "qor_test/variants.h"

namespace qor::test {
namespace {

VARIANT tagged(VARTYPE vt) {
    VARIANT v;
    VariantInit(&v);
    v.vt = vt;
    return v;
}

} // namespace

VARIANT vText(BSTR s) {
    VARIANT v = tagged(VT_BSTR);
    v.bstrVal = s;
    return v;
}
VARIANT vNewText(std::u16string_view s) {
    return vText(SysAllocStringLen(s.data(), static_cast<UINT>(s.size())));
}
VARIANT vI4(LONG n) {
    VARIANT v = tagged(VT_I4);
    v.lVal = n;
    return v;
}
VARIANT vI2(SHORT n) {
    VARIANT v = tagged(VT_I2);
    v.iVal = n;
    return v;
}
VARIANT vR8(double d) {
    VARIANT v = tagged(VT_R8);
    v.dblVal = d;
    return v;
}
VARIANT vBool(bool b) {
    VARIANT v = tagged(VT_BOOL);
    v.boolVal = b ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}
VARIANT vByRef(VARTYPE vt, void* target) {
    VARIANT v = tagged(static_cast<VARTYPE>(VT_BYREF | vt));
    v.byref = target;
    return v;
}
VARIANT vMissing() {
    VARIANT v = tagged(VT_ERROR);
    v.scode = DISP_E_PARAMNOTFOUND;
    return v;
}
VARIANT vObject(IDispatch* d) {
    VARIANT v = tagged(VT_DISPATCH);
    v.pdispVal = d;
    return v;
}

Variant textVariant(std::u16string_view s) {
    VARIANT raw = vNewText(s);
    return Variant::attach(raw);
}

} // namespace qor::test
