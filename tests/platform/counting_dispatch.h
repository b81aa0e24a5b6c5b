// A test object that counts its references and may answer a default value.
#pragma once

#include <cstring>

#include "qor/runtime.h"

class CountingDispatch final : public IDispatch {
  public:
    // Without a default value, Invoke(DISPID_VALUE) fails as for an object that has none.
    CountingDispatch() { VariantInit(&default_); }
    explicit CountingDispatch(const VARIANT& defaultValue) : hasDefault_(true) {
        VariantInit(&default_);
        VariantCopy(&default_, &defaultValue);
    }
    ~CountingDispatch() { VariantClear(&default_); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (riid != IID_IUnknown && riid != IID_IDispatch) {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        *ppv = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; } // lives on the test's stack
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override {
        return DISP_E_BADINDEX;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*,
                                     VARIANT* result, EXCEPINFO*, UINT*) override {
        if (id != DISPID_VALUE || !hasDefault_ || (flags & DISPATCH_PROPERTYGET) == 0)
            return DISP_E_MEMBERNOTFOUND;
        VariantInit(result);
        return VariantCopy(result, &default_);
    }

    ULONG refs = 1;

  private:
    bool hasDefault_ = false;
    VARIANT default_;
};
