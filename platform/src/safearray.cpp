// SAFEARRAY: a descriptor in the standard layout, with the element type kept in the four
// bytes before it (as the classic runtime does), and one block of elements in row-major
// order of the stored bounds. Arrays of texts, objects and variants own their elements.
#include <cstdlib>
#include <cstring>
#include <limits>

#include "qor/runtime.h"

namespace {

// Room before the descriptor; the element type sits in its last four bytes.
constexpr std::size_t kRoomBeforeDescriptor = 16;
constexpr ULONG kMaxDataBytes = 0x7FFFFFFFu;

ULONG elementSize(VARTYPE vt) {
    switch (vt) {
    case VT_UI1:
        return 1;
    case VT_I2:
    case VT_BOOL:
        return 2;
    case VT_I4:
    case VT_R4:
    case VT_ERROR:
    case VT_INT:
    case VT_UINT:
        return 4;
    case VT_R8:
    case VT_CY:
    case VT_DATE:
    case VT_I8:
    case VT_BSTR:
    case VT_DISPATCH:
    case VT_UNKNOWN:
        return 8;
    case VT_VARIANT:
        return sizeof(VARIANT);
    default:
        return 0; // not an element type
    }
}

USHORT ownershipFeature(VARTYPE vt) {
    switch (vt) {
    case VT_BSTR:
        return FADF_BSTR;
    case VT_DISPATCH:
        return FADF_DISPATCH;
    case VT_UNKNOWN:
        return FADF_UNKNOWN;
    case VT_VARIANT:
        return FADF_VARIANT;
    default:
        return 0;
    }
}

VARTYPE* typeSlot(SAFEARRAY* psa) {
    return reinterpret_cast<VARTYPE*>(reinterpret_cast<char*>(psa) - 4);
}

std::size_t descriptorBytes(UINT cDims) {
    return sizeof(SAFEARRAY) + (cDims - 1) * sizeof(SAFEARRAYBOUND);
}

// The number of elements, or false when it exceeds what one block may hold.
bool elementCount(const SAFEARRAY* psa, ULONG& count) {
    std::uint64_t total = 1;
    for (USHORT i = 0; i < psa->cDims; ++i) {
        total *= psa->rgsabound[i].cElements;
        if (total * psa->cbElements > kMaxDataBytes)
            return false;
    }
    count = static_cast<ULONG>(total);
    return true;
}

void releaseElement(const SAFEARRAY* psa, void* item) {
    if ((psa->fFeatures & FADF_BSTR) != 0) {
        BSTR text;
        std::memcpy(&text, item, sizeof text);
        SysFreeString(text);
    } else if ((psa->fFeatures & (FADF_UNKNOWN | FADF_DISPATCH)) != 0) {
        IUnknown* object;
        std::memcpy(&object, item, sizeof object);
        if (object != nullptr)
            object->Release();
    } else if ((psa->fFeatures & FADF_VARIANT) != 0) {
        VariantClear(static_cast<VARIANT*>(item));
    }
}

void releaseElements(SAFEARRAY* psa) {
    ULONG count = 0;
    if (psa->pvData == nullptr || !elementCount(psa, count))
        return;
    for (ULONG i = 0; i < count; ++i)
        releaseElement(psa, static_cast<char*>(psa->pvData) + std::size_t{i} * psa->cbElements);
}

// Copies one element into `dest` (uninitialised), taking its own share of what it owns.
HRESULT copyElement(const SAFEARRAY* psa, const void* src, void* dest) {
    if ((psa->fFeatures & FADF_BSTR) != 0) {
        BSTR text;
        std::memcpy(&text, src, sizeof text);
        BSTR copy = nullptr;
        if (text != nullptr && (copy = SysAllocStringLen(text, SysStringLen(text))) == nullptr)
            return E_OUTOFMEMORY;
        std::memcpy(dest, &copy, sizeof copy);
    } else if ((psa->fFeatures & (FADF_UNKNOWN | FADF_DISPATCH)) != 0) {
        IUnknown* object;
        std::memcpy(&object, src, sizeof object);
        if (object != nullptr)
            object->AddRef();
        std::memcpy(dest, &object, sizeof object);
    } else if ((psa->fFeatures & FADF_VARIANT) != 0) {
        auto* out = static_cast<VARIANT*>(dest);
        VariantInit(out);
        return VariantCopy(out, static_cast<const VARIANT*>(src));
    } else {
        std::memcpy(dest, src, psa->cbElements);
    }
    return S_OK;
}

SAFEARRAY* allocateDescriptor(VARTYPE vt, UINT cDims) {
    auto* block =
        static_cast<char*>(std::calloc(1, kRoomBeforeDescriptor + descriptorBytes(cDims)));
    if (block == nullptr)
        return nullptr;
    auto* psa = reinterpret_cast<SAFEARRAY*>(block + kRoomBeforeDescriptor);
    psa->cDims = static_cast<USHORT>(cDims);
    psa->fFeatures = static_cast<USHORT>(FADF_HAVEVARTYPE | ownershipFeature(vt));
    psa->cbElements = elementSize(vt);
    *typeSlot(psa) = vt;
    return psa;
}

void freeDescriptor(SAFEARRAY* psa) {
    std::free(reinterpret_cast<char*>(psa) - kRoomBeforeDescriptor);
}

} // namespace

QOR_API SAFEARRAY* SafeArrayCreate(VARTYPE vt, UINT cDims, const SAFEARRAYBOUND* rgsabound) {
    if (cDims == 0 || cDims > 0xFFFF || rgsabound == nullptr || elementSize(vt) == 0)
        return nullptr;
    SAFEARRAY* psa = allocateDescriptor(vt, cDims);
    if (psa == nullptr)
        return nullptr;
    for (UINT i = 0; i < cDims; ++i)
        psa->rgsabound[i] = rgsabound[cDims - 1 - i];
    ULONG count = 0;
    if (!elementCount(psa, count)) {
        freeDescriptor(psa);
        return nullptr;
    }
    psa->pvData = std::calloc(count == 0 ? 1 : count, psa->cbElements);
    if (psa->pvData == nullptr) {
        freeDescriptor(psa);
        return nullptr;
    }
    return psa;
}

QOR_API SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, LONG lLbound, ULONG cElements) {
    const SAFEARRAYBOUND bound{cElements, lLbound};
    return SafeArrayCreate(vt, 1, &bound);
}

QOR_API HRESULT SafeArrayDestroy(SAFEARRAY* psa) {
    if (psa == nullptr)
        return S_OK;
    if (psa->cLocks != 0)
        return DISP_E_ARRAYISLOCKED;
    releaseElements(psa);
    std::free(psa->pvData);
    freeDescriptor(psa);
    return S_OK;
}

QOR_API HRESULT SafeArrayLock(SAFEARRAY* psa) {
    if (psa == nullptr)
        return E_INVALIDARG;
    if (psa->cLocks == std::numeric_limits<ULONG>::max())
        return E_UNEXPECTED;
    ++psa->cLocks;
    return S_OK;
}

QOR_API HRESULT SafeArrayUnlock(SAFEARRAY* psa) {
    if (psa == nullptr)
        return E_INVALIDARG;
    if (psa->cLocks == 0)
        return E_UNEXPECTED;
    --psa->cLocks;
    return S_OK;
}

QOR_API HRESULT SafeArrayAccessData(SAFEARRAY* psa, void** ppvData) {
    if (psa == nullptr || ppvData == nullptr)
        return E_INVALIDARG;
    const HRESULT hr = SafeArrayLock(psa);
    *ppvData = SUCCEEDED(hr) ? psa->pvData : nullptr;
    return hr;
}

QOR_API HRESULT SafeArrayUnaccessData(SAFEARRAY* psa) {
    return SafeArrayUnlock(psa);
}

QOR_API UINT SafeArrayGetDim(SAFEARRAY* psa) {
    return psa == nullptr ? 0 : psa->cDims;
}

QOR_API UINT SafeArrayGetElemsize(SAFEARRAY* psa) {
    return psa == nullptr ? 0 : psa->cbElements;
}

QOR_API HRESULT SafeArrayGetVartype(SAFEARRAY* psa, VARTYPE* pvt) {
    if (psa == nullptr || pvt == nullptr)
        return E_INVALIDARG;
    if ((psa->fFeatures & FADF_HAVEVARTYPE) == 0)
        return E_INVALIDARG;
    *pvt = *typeSlot(psa);
    return S_OK;
}

QOR_API HRESULT SafeArrayGetLBound(SAFEARRAY* psa, UINT nDim, LONG* plLbound) {
    if (psa == nullptr || plLbound == nullptr)
        return E_INVALIDARG;
    if (nDim == 0 || nDim > psa->cDims)
        return DISP_E_BADINDEX;
    *plLbound = psa->rgsabound[psa->cDims - nDim].lLbound;
    return S_OK;
}

QOR_API HRESULT SafeArrayGetUBound(SAFEARRAY* psa, UINT nDim, LONG* plUbound) {
    if (psa == nullptr || plUbound == nullptr)
        return E_INVALIDARG;
    if (nDim == 0 || nDim > psa->cDims)
        return DISP_E_BADINDEX;
    const SAFEARRAYBOUND& bound = psa->rgsabound[psa->cDims - nDim];
    *plUbound = static_cast<LONG>(static_cast<std::int64_t>(bound.lLbound) + bound.cElements - 1);
    return S_OK;
}

// rgIndices lists one index per dimension, left-most dimension first.
QOR_API HRESULT SafeArrayPtrOfIndex(SAFEARRAY* psa, const LONG* rgIndices, void** ppvData) {
    if (psa == nullptr || rgIndices == nullptr || ppvData == nullptr)
        return E_INVALIDARG;
    *ppvData = nullptr;
    std::uint64_t offset = 0;
    for (USHORT d = 0; d < psa->cDims; ++d) {
        const SAFEARRAYBOUND& bound = psa->rgsabound[psa->cDims - 1 - d];
        const std::int64_t at = static_cast<std::int64_t>(rgIndices[d]) - bound.lLbound;
        if (at < 0 || at >= static_cast<std::int64_t>(bound.cElements))
            return DISP_E_BADINDEX;
        offset = offset * bound.cElements + static_cast<std::uint64_t>(at);
    }
    *ppvData = static_cast<char*>(psa->pvData) + offset * psa->cbElements;
    return S_OK;
}

QOR_API HRESULT SafeArrayGetElement(SAFEARRAY* psa, const LONG* rgIndices, void* pv) {
    if (pv == nullptr)
        return E_INVALIDARG;
    void* item = nullptr;
    const HRESULT hr = SafeArrayPtrOfIndex(psa, rgIndices, &item);
    return FAILED(hr) ? hr : copyElement(psa, item, pv);
}

// Texts and objects are copied in; a variant element is copied from *pv.
QOR_API HRESULT SafeArrayPutElement(SAFEARRAY* psa, const LONG* rgIndices, void* pv) {
    void* item = nullptr;
    HRESULT hr = SafeArrayPtrOfIndex(psa, rgIndices, &item);
    if (FAILED(hr))
        return hr;
    if ((psa->fFeatures & (FADF_BSTR | FADF_UNKNOWN | FADF_DISPATCH)) != 0) {
        // pv is the text or object itself, not a pointer to it.
        alignas(8) char copy[8];
        hr = copyElement(psa, &pv, copy);
        if (FAILED(hr))
            return hr;
        releaseElement(psa, item);
        std::memcpy(item, copy, psa->cbElements);
        return S_OK;
    }
    if (pv == nullptr)
        return E_INVALIDARG;
    if ((psa->fFeatures & FADF_VARIANT) != 0)
        return VariantCopy(static_cast<VARIANT*>(item), static_cast<const VARIANT*>(pv));
    std::memcpy(item, pv, psa->cbElements);
    return S_OK;
}

QOR_API HRESULT SafeArrayCopy(SAFEARRAY* psa, SAFEARRAY** ppsaOut) {
    if (ppsaOut == nullptr)
        return E_INVALIDARG;
    *ppsaOut = nullptr;
    if (psa == nullptr)
        return S_OK;
    VARTYPE vt = VT_EMPTY;
    if (FAILED(SafeArrayGetVartype(psa, &vt)))
        return E_INVALIDARG;
    SAFEARRAY* copy = allocateDescriptor(vt, psa->cDims);
    if (copy == nullptr)
        return E_OUTOFMEMORY;
    std::memcpy(copy->rgsabound, psa->rgsabound, psa->cDims * sizeof(SAFEARRAYBOUND));
    ULONG count = 0;
    if (!elementCount(copy, count) ||
        (copy->pvData = std::calloc(count == 0 ? 1 : count, copy->cbElements)) == nullptr) {
        freeDescriptor(copy);
        return E_OUTOFMEMORY;
    }
    for (ULONG i = 0; i < count; ++i) {
        const std::size_t at = std::size_t{i} * copy->cbElements;
        const HRESULT hr = copyElement(psa, static_cast<const char*>(psa->pvData) + at,
                                       static_cast<char*>(copy->pvData) + at);
        if (FAILED(hr)) {
            SafeArrayDestroy(copy); // elements not yet copied are zero, which frees nothing
            return hr;
        }
    }
    *ppsaOut = copy;
    return S_OK;
}
