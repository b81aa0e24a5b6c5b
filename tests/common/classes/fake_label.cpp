#include "fake_label.h"

#include <QString>

namespace qor::test {
namespace {

constexpr DISPID kCaption = 1;
constexpr DISPID kTag = 2;
constexpr DISPID kRefresh = 3;

} // namespace

HRESULT FakeLabel::QueryInterface(REFIID riid, void** ppv) {
    if (riid == IID_IUnknown || riid == IID_IDispatch) {
        *ppv = this;
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

HRESULT FakeLabel::GetTypeInfoCount(UINT* pctinfo) {
    *pctinfo = 0;
    return S_OK;
}

HRESULT FakeLabel::GetTypeInfo(UINT, LCID, ITypeInfo**) {
    return E_NOTIMPL;
}

HRESULT FakeLabel::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (count != 1)
        return DISP_E_UNKNOWNNAME;
    const QString name = QString::fromUtf16(names[0]).toLower();
    if (name == QLatin1String("caption"))
        ids[0] = kCaption;
    else if (name == QLatin1String("tag") && hasTag)
        ids[0] = kTag;
    else if (name == QLatin1String("refresh") && hasRefresh)
        ids[0] = kRefresh;
    else {
        ids[0] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    return S_OK;
}

HRESULT FakeLabel::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                          EXCEPINFO* info, UINT*) {
    switch (id) {
    case kCaption: {
        if (flags != DISPATCH_PROPERTYPUT || params->cArgs != 1 || params->cNamedArgs != 1 ||
            params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
            return DISP_E_MEMBERNOTFOUND;
        VARIANT text;
        VariantInit(&text);
        if (FAILED(VariantChangeType(&text, &params->rgvarg[0], 0, VT_BSTR)))
            return DISP_E_TYPEMISMATCH;
        caption = Bstr::toU16(text.bstrVal);
        VariantClear(&text);
        return S_OK;
    }
    case kTag:
        if ((flags & DISPATCH_PROPERTYGET) == 0 || result == nullptr)
            return DISP_E_MEMBERNOTFOUND;
        ++tagReads;
        result->vt = VT_BSTR;
        result->bstrVal = SysAllocStringLen(tag.data(), static_cast<UINT>(tag.size()));
        return S_OK;
    case kRefresh:
        ++refreshCalls;
        if (refreshFails) {
            *info = EXCEPINFO{};
            info->scode = static_cast<SCODE>(0x800A0000u + 380);
            info->bstrSource = SysAllocString(u"FakeLabel");
            info->bstrDescription = SysAllocString(u"Invalid property value");
            return DISP_E_EXCEPTION;
        }
        return S_OK;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

} // namespace qor::test
