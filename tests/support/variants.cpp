#include "qor_test/variants.h"

namespace qor::test {
namespace {

// A VARIANT of type vt whose union member `slot` holds value.
template <class T, class U> VARIANT tagged(VARTYPE vt, T VARIANT::*slot, U value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = vt;
    v.*slot = static_cast<T>(value);
    return v;
}

} // namespace

VARIANT vText(BSTR s) {
    return tagged(VT_BSTR, &VARIANT::bstrVal, s);
}
VARIANT vNewText(std::u16string_view s) {
    return vText(SysAllocStringLen(s.data(), static_cast<UINT>(s.size())));
}
VARIANT vI4(LONG n) {
    return tagged(VT_I4, &VARIANT::lVal, n);
}
VARIANT vI2(SHORT n) {
    return tagged(VT_I2, &VARIANT::iVal, n);
}
VARIANT vR8(double d) {
    return tagged(VT_R8, &VARIANT::dblVal, d);
}
VARIANT vBool(bool b) {
    return tagged(VT_BOOL, &VARIANT::boolVal, b ? VARIANT_TRUE : VARIANT_FALSE);
}
VARIANT vByRef(VARTYPE vt, void* target) {
    return tagged(static_cast<VARTYPE>(VT_BYREF | vt), &VARIANT::byref, target);
}
VARIANT vMissing() {
    return tagged(VT_ERROR, &VARIANT::scode, DISP_E_PARAMNOTFOUND);
}
VARIANT vObject(IDispatch* d) {
    return tagged(VT_DISPATCH, &VARIANT::pdispVal, d);
}

Variant textVariant(std::u16string_view s) {
    VARIANT raw = vNewText(s);
    return Variant::attach(raw);
}

} // namespace qor::test
