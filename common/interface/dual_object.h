// The shared COM plumbing of the library's classes: reference counting, QueryInterface for
// IUnknown, IDispatch, ISupportErrorInfo and the class's own interface identifiers, and
// IDispatch served from the class's dispatch table. No type information is offered
// (GetTypeInfoCount answers 0); clients that want it read the registered type library.
#pragma once

#include "dispatch_table.h"
#include "module_state.h"
#include "qor/com_api.h"

namespace qor::server {

// Derived provides `static const DispatchTable& dispatchTable()`. OwnIids are the
// identifiers under which Interface is offered.
template <class Derived, class Interface, const IID&... OwnIids>
class DualObject : public Interface, public ISupportErrorInfo {
  public:
    DualObject(const DualObject&) = delete;
    DualObject& operator=(const DualObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (ppv == nullptr)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IDispatch || ((riid == OwnIids) || ...)) {
            *ppv = static_cast<Interface*>(this);
        } else if (riid == IID_ISupportErrorInfo) {
            *ppv = static_cast<ISupportErrorInfo*>(this);
        } else {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0)
            delete static_cast<Derived*>(this);
        return left;
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override {
        if (pctinfo == nullptr)
            return E_POINTER;
        *pctinfo = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override {
        if (ppTInfo != nullptr)
            *ppTInfo = nullptr;
        return DISP_E_BADINDEX;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID,
                                            DISPID* rgDispId) override {
        return Derived::dispatchTable().getIDsOfNames(riid, rgszNames, cNames, rgDispId);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispIdMember, REFIID riid, LCID, WORD wFlags,
                                     DISPPARAMS* pDispParams, VARIANT* pVarResult,
                                     EXCEPINFO* pExcepInfo, UINT* puArgErr) override {
        return Derived::dispatchTable().invoke(static_cast<Interface*>(this), dispIdMember, riid,
                                               wFlags, pDispParams, pVarResult, pExcepInfo,
                                               puArgErr);
    }

    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) override {
        return ((riid == OwnIids) || ...) ? S_OK : S_FALSE;
    }

    // A new object with one reference, handed out as `riid`.
    template <class... Args> static HRESULT create(REFIID riid, void** ppv, Args&&... args) {
        if (ppv == nullptr)
            return E_POINTER;
        *ppv = nullptr;
        Derived* object = new (std::nothrow) Derived(std::forward<Args>(args)...);
        if (object == nullptr)
            return E_OUTOFMEMORY;
        const HRESULT hr = object->QueryInterface(riid, ppv);
        object->Release();
        return hr;
    }

  protected:
    DualObject() { objectCreated(); }
    ~DualObject() { objectDestroyed(); }

  private:
    ULONG references_ = 1; // apartment-threaded: only the creating thread calls
};

} // namespace qor::server
