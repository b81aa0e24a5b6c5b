// A caption-bearing control as a late-bound client's object: Caption, Tag, Refresh,
// found by name case-insensitively. Members can be left out, and Refresh can be told to
// raise an error the way an automation object does.
#pragma once

#include <string>

#include "qor/runtime.h"

namespace qor::test {

class FakeLabel : public IDispatch {
  public:
    std::u16string caption;
    std::u16string tag;
    int refreshCalls = 0;
    int tagReads = 0;
    bool hasTag = true;
    bool hasRefresh = true;
    bool refreshFails = false;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs_; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* info,
                                     UINT* argErr) override;

    ULONG references() const { return refs_; }

  private:
    ULONG refs_ = 1; // lives on the test's stack
};

} // namespace qor::test
