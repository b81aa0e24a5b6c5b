// VARIANT lifetime: initialising, clearing (freeing what it owns) and copying.
#include <cstring>

#include "qor/runtime.h"

namespace {

bool isKnownScalar(VARTYPE vt) {
    switch (vt) {
    case VT_EMPTY:
    case VT_NULL:
    case VT_I2:
    case VT_I4:
    case VT_R4:
    case VT_R8:
    case VT_CY:
    case VT_DATE:
    case VT_BSTR:
    case VT_DISPATCH:
    case VT_ERROR:
    case VT_BOOL:
    case VT_UNKNOWN:
    case VT_UI1:
    case VT_I8:
    case VT_INT:
    case VT_UINT:
        return true;
    default:
        return false;
    }
}

bool isArrayElement(VARTYPE vt) {
    return vt != VT_EMPTY && vt != VT_NULL && (isKnownScalar(vt) || vt == VT_VARIANT);
}

bool isValid(VARTYPE vt) {
    const VARTYPE base = vt & static_cast<VARTYPE>(~(VT_BYREF | VT_ARRAY));
    if ((vt & VT_ARRAY) != 0)
        return isArrayElement(base);
    if ((vt & VT_BYREF) != 0)
        return base == VT_VARIANT || isKnownScalar(base);
    return isKnownScalar(vt);
}

// Copies the value of `src` (not a by-reference form) into a cleared `dest`.
HRESULT copyOwned(VARIANT* dest, const VARIANT* src) {
    VARIANT tmp;
    std::memcpy(&tmp, src, sizeof tmp);
    switch (src->vt) {
    case VT_BSTR:
        if (src->bstrVal != nullptr) {
            tmp.bstrVal = SysAllocStringLen(src->bstrVal, SysStringLen(src->bstrVal));
            if (tmp.bstrVal == nullptr)
                return E_OUTOFMEMORY;
        }
        break;
    case VT_DISPATCH:
    case VT_UNKNOWN:
        if (src->punkVal != nullptr)
            src->punkVal->AddRef();
        break;
    default:
        if ((src->vt & VT_ARRAY) != 0) {
            const HRESULT hr = SafeArrayCopy(src->parray, &tmp.parray);
            if (FAILED(hr))
                return hr;
        }
        break;
    }
    std::memcpy(dest, &tmp, sizeof tmp);
    return S_OK;
}

} // namespace

QOR_API void VariantInit(VARIANT* pvarg) {
    if (pvarg == nullptr)
        return;
    std::memset(pvarg, 0, sizeof *pvarg);
    pvarg->vt = VT_EMPTY;
}

QOR_API HRESULT VariantClear(VARIANT* pvarg) {
    if (pvarg == nullptr)
        return E_INVALIDARG;
    if (!isValid(pvarg->vt))
        return DISP_E_BADVARTYPE;
    switch (pvarg->vt) {
    case VT_BSTR:
        SysFreeString(pvarg->bstrVal);
        break;
    case VT_DISPATCH:
    case VT_UNKNOWN:
        if (pvarg->punkVal != nullptr)
            pvarg->punkVal->Release();
        break;
    default: // by-reference forms do not own what they point to
        if ((pvarg->vt & (VT_ARRAY | VT_BYREF)) == VT_ARRAY) {
            const HRESULT hr = SafeArrayDestroy(pvarg->parray);
            if (FAILED(hr))
                return hr; // a locked array stays with its variant
        }
        break;
    }
    VariantInit(pvarg);
    return S_OK;
}

QOR_API HRESULT VariantCopy(VARIANT* pvargDest, const VARIANT* pvargSrc) {
    if (pvargDest == nullptr || pvargSrc == nullptr)
        return E_INVALIDARG;
    if (pvargDest == pvargSrc)
        return S_OK;
    if (!isValid(pvargSrc->vt))
        return DISP_E_BADVARTYPE;
    const HRESULT hr = VariantClear(pvargDest);
    if (FAILED(hr))
        return hr;
    return copyOwned(pvargDest, pvargSrc);
}

QOR_API HRESULT VariantCopyInd(VARIANT* pvarDest, const VARIANT* pvargSrc) {
    if (pvarDest == nullptr || pvargSrc == nullptr)
        return E_INVALIDARG;
    if (!isValid(pvargSrc->vt))
        return DISP_E_BADVARTYPE;
    if ((pvargSrc->vt & VT_BYREF) == 0)
        return VariantCopy(pvarDest, pvargSrc);
    if (pvargSrc->byref == nullptr)
        return E_INVALIDARG;

    const VARTYPE base = pvargSrc->vt & static_cast<VARTYPE>(~VT_BYREF);
    VARIANT value;
    VariantInit(&value);
    if (base == VT_VARIANT) {
        const VARIANT* inner = pvargSrc->pvarVal;
        // A variant by reference may itself hold a reference to a value, followed once
        // more; a chain of variants by reference (possibly a loop) is refused.
        if (inner->vt == (VT_BYREF | VT_VARIANT))
            return E_INVALIDARG;
        if ((inner->vt & VT_BYREF) != 0)
            return VariantCopyInd(pvarDest, inner);
        if (!isValid(inner->vt))
            return DISP_E_BADVARTYPE;
        std::memcpy(&value, inner, sizeof value);
    } else if ((base & VT_ARRAY) != 0) {
        value.vt = base;
        value.parray = *pvargSrc->pparray;
    } else {
        value.vt = base;
        switch (base) {
        case VT_I2:
            value.iVal = *pvargSrc->piVal;
            break;
        case VT_BOOL:
            value.boolVal = *pvargSrc->pboolVal;
            break;
        case VT_UI1:
            value.bVal = *pvargSrc->pbVal;
            break;
        case VT_I4:
        case VT_INT:
        case VT_UINT:
        case VT_ERROR:
        case VT_R4:
            std::memcpy(&value.lVal, pvargSrc->byref, 4);
            break;
        default: // 8-byte values and pointers (BSTR, objects)
            std::memcpy(&value.llVal, pvargSrc->byref, 8);
            break;
        }
    }
    // `value` borrows what the reference points to; copyOwned takes its own share.
    VARIANT copy;
    const HRESULT hr = copyOwned(&copy, &value);
    if (FAILED(hr))
        return hr;
    VariantClear(pvarDest);
    std::memcpy(pvarDest, &copy, sizeof copy);
    return S_OK;
}
