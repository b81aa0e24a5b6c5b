// A caption-bearing control as a client would pass it: Caption and Tag properties and a
// Refresh method, reached late-bound. It can be told to fail with a given error.
#pragma once

#include <string>

#include "qor/runtime.h"

class FakeLabel final : public IDispatch {
  public:
    std::u16string caption;
    std::u16string tag;
    int refreshCount = 0;
    // When set, every Invoke fails with DISP_E_EXCEPTION carrying this scode.
    HRESULT failWith = S_OK;
    std::u16string failSource = u"FakeLabel";
    std::u16string failDescription;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (ppv == nullptr)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IDispatch) {
            *ppv = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    // Lives on the test's stack; counts only to check that the library balances them.
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
        *n = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override {
        const std::u16string name = names[0];
        for (UINT i = 0; i < count; ++i)
            ids[i] = DISPID_UNKNOWN;
        if (name == u"Caption")
            ids[0] = 1;
        else if (name == u"Tag")
            ids[0] = 2;
        else if (name == u"Refresh")
            ids[0] = 3;
        else
            return DISP_E_UNKNOWNNAME;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* excep, UINT*) override {
        if (failWith != S_OK) {
            *excep = EXCEPINFO{};
            excep->scode = failWith;
            excep->bstrSource = SysAllocString(failSource.c_str());
            excep->bstrDescription = SysAllocString(failDescription.c_str());
            return DISP_E_EXCEPTION;
        }
        if (id == 1 && (flags & DISPATCH_PROPERTYPUT) && params->cArgs == 1) {
            VARIANT asText;
            VariantInit(&asText);
            if (FAILED(VariantChangeType(&asText, &params->rgvarg[0], 0, VT_BSTR)))
                return DISP_E_TYPEMISMATCH;
            caption = qor::Bstr::toU16(asText.bstrVal);
            VariantClear(&asText);
            return S_OK;
        }
        if (id == 2 && (flags & DISPATCH_PROPERTYGET) && result) {
            result->vt = VT_BSTR;
            result->bstrVal = SysAllocString(tag.c_str());
            return S_OK;
        }
        if (id == 3) {
            ++refreshCount;
            return S_OK;
        }
        return DISP_E_MEMBERNOTFOUND;
    }

    ULONG references = 1;
};
