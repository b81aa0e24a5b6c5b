// A COM object whose IDispatch is served from its dispatch table: Derived provides
// `static const DispatchTable& dispatchTable()`, whose methods belong to the first listed
// interface. No type information is offered (GetTypeInfoCount answers 0); clients that
// want it read the registered type library.
#pragma once

#include "qor/com_object.h"
#include "qor/dispatch_table.h"

namespace qor {

template <class Derived, class... Entries>
class DispatchObject : public ComObject<Derived, Entries...> {
    using Dual = typename std::tuple_element_t<0, std::tuple<Entries...>>::Interface;
    static_assert(std::is_base_of_v<IDispatch, Dual>, "the first interface is the dual one");

  public:
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
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override {
        return Derived::dispatchTable().getIDsOfNames(riid, names, count, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* excepInfo, UINT* argErr) override {
        return Derived::dispatchTable().invoke(static_cast<Dual*>(this), id, riid, flags, params,
                                               result, excepInfo, argErr);
    }

  protected:
    DispatchObject() = default;
    ~DispatchObject() = default;
};

} // namespace qor
