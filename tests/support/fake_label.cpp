#include "qor_test/fake_label.h"

namespace qor::test {
namespace {

constexpr DISPID kCaption = 1;
constexpr DISPID kTag = 2;
constexpr DISPID kRefresh = 3;

FakeLabel& label(void* self) {
    return static_cast<FakeLabel&>(*static_cast<IDispatch*>(self));
}

// The error every member raises when told to, as S_OK when it is not.
HRESULT raised(const FakeLabel& l) {
    return l.failure ? raiseErrorInfo(*l.failure) : S_OK;
}

HRESULT putCaption(void* self, VARIANT* args, VARIANT*) {
    FakeLabel& l = label(self);
    if (const HRESULT hr = raised(l); FAILED(hr))
        return hr;
    l.caption = Bstr::toU16(args[0].bstrVal);
    return S_OK;
}

HRESULT readCaption(void* self, VARIANT*, VARIANT* result) {
    result->bstrVal = SysAllocString(label(self).caption.c_str());
    return S_OK;
}

HRESULT readTag(void* self, VARIANT*, VARIANT* result) {
    FakeLabel& l = label(self);
    if (const HRESULT hr = raised(l); FAILED(hr))
        return hr;
    ++l.tagReads;
    result->bstrVal = SysAllocStringLen(l.tag.data(), static_cast<UINT>(l.tag.size()));
    return S_OK;
}

HRESULT refresh(void* self, VARIANT*, VARIANT*) {
    FakeLabel& l = label(self);
    ++l.refreshCalls;
    if (const HRESULT hr = raised(l); FAILED(hr))
        return hr;
    if (l.refreshFails)
        return raiseErrorInfo(AutomationError(380, u"FakeLabel", u"Invalid property value"));
    return S_OK;
}

} // namespace

const DispatchTable& FakeLabel::dispatchTable() {
    static const DispatchTable table({
        {u"Caption", kCaption, {}, VT_BSTR, &readCaption, &putCaption},
        {u"Tag", kTag, {}, VT_BSTR, &readTag},
        {u"Refresh", kRefresh, {}, VT_EMPTY, &refresh},
    });
    return table;
}

HRESULT FakeLabel::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) {
    const HRESULT hr = DispatchObject::GetIDsOfNames(riid, names, count, lcid, ids);
    if (SUCCEEDED(hr) && ((ids[0] == kTag && !hasTag) || (ids[0] == kRefresh && !hasRefresh))) {
        ids[0] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    return hr;
}

} // namespace qor::test
