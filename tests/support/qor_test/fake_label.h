// A caption-bearing control as a late-bound client's object: Caption (write), Tag (read)
// and Refresh, found by name case-insensitively. Members can be left out, and calls can
// be told to fail the way an automation object raises an error. Lives on the test's
// stack: the reference count is only watched, never acted on.
#pragma once

#include <optional>
#include <string>

#include "qor/dispatch_object.h"
#include "qor/runtime.h"

namespace qor::test {

class FakeLabel final : public DispatchObject<FakeLabel, Implements<IDispatch, IID_IDispatch>> {
  public:
    std::u16string caption;
    std::u16string tag;
    int refreshCalls = 0;
    int tagReads = 0;
    bool hasTag = true;
    bool hasRefresh = true;
    // Refresh raises 380, "Invalid property value".
    bool refreshFails = false;
    // Every member raises this error.
    std::optional<AutomationError> failure;

    static const DispatchTable& dispatchTable();
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                            DISPID* ids) override;
    void finalRelease() {}
};

} // namespace qor::test
