// The library's classes: a dual interface served from the class's dispatch table,
// ISupportErrorInfo for it, and a count in the module's DllCanUnloadNow.
#pragma once

#include "module_state.h"
#include "qor/dispatch_object.h"

namespace qor::server {

// Derived provides `static const DispatchTable& dispatchTable()`. OwnIids are the
// identifiers under which Interface is offered.
template <class Derived, class Interface, const IID&... OwnIids>
class DualObject : public DispatchObject<Derived, Implements<Interface, IID_IDispatch, OwnIids...>,
                                         Implements<ISupportErrorInfo, IID_ISupportErrorInfo>>,
                   private CountedInModule<moduleLocks> {
  public:
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) override {
        return ((riid == OwnIids) || ...) ? S_OK : S_FALSE;
    }

  protected:
    DualObject() = default;
    ~DualObject() = default;
};

} // namespace qor::server
