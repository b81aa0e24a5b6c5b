#include "dispatch_args.h"

namespace qor::detail {

namespace {

char16_t fold(char16_t c) {
    // ASCII and Latin-1 letters; enough for the member names and keys automation uses.
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return static_cast<char16_t>(c + 32);
    return c;
}

} // namespace

bool equalsIgnoreCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (fold(a[i]) != fold(b[i]))
            return false;
    return true;
}

const VARIANT* positionalArg(const DISPPARAMS* params, UINT position) {
    if (params == nullptr || params->rgvarg == nullptr || position >= params->cArgs)
        return nullptr;
    return &params->rgvarg[params->cArgs - 1 - position];
}

bool isMissing(const VARIANT* arg) {
    if (arg == nullptr)
        return true;
    const VARIANT* v = arg;
    if (v->vt == (VT_VARIANT | VT_BYREF) && v->pvarVal != nullptr)
        v = v->pvarVal;
    return v->vt == VT_ERROR && v->scode == DISP_E_PARAMNOTFOUND;
}

HRESULT argAs(const DISPPARAMS* params, UINT position, VARTYPE vt, VARIANT& out, UINT* puArgErr) {
    const VARIANT* arg = positionalArg(params, position);
    if (arg == nullptr)
        return DISP_E_PARAMNOTFOUND;
    const HRESULT hr = VariantChangeType(&out, arg, 0, vt);
    if (FAILED(hr) && puArgErr != nullptr)
        *puArgErr = params->cArgs - 1 - position;
    return hr;
}

HRESULT checkCall(const DISPPARAMS* params, WORD flags, UINT minArgs, UINT maxArgs) {
    if (params == nullptr)
        return E_INVALIDARG;
    const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    if (params->cNamedArgs > 0) {
        const bool onlyPutValue = put && params->cNamedArgs == 1 &&
                                  params->rgdispidNamedArgs != nullptr &&
                                  params->rgdispidNamedArgs[0] == DISPID_PROPERTYPUT;
        if (!onlyPutValue)
            return DISP_E_NONAMEDARGS;
    }
    if (params->cArgs < minArgs || params->cArgs > maxArgs)
        return DISP_E_BADPARAMCOUNT;
    return S_OK;
}

HRESULT exceptionResult(EXCEPINFO* info, const AutomationError& err) {
    if (info != nullptr) {
        *info = EXCEPINFO{};
        info->bstrSource =
            SysAllocStringLen(err.source.data(), static_cast<UINT>(err.source.size()));
        info->bstrDescription =
            SysAllocStringLen(err.description.data(), static_cast<UINT>(err.description.size()));
        info->scode = hresultFromErrorNumber(err.number);
    }
    return DISP_E_EXCEPTION;
}

DISPID findMember(const OLECHAR* name, std::initializer_list<Member> members) {
    if (name == nullptr)
        return DISPID_UNKNOWN;
    const std::u16string_view wanted(name);
    for (const Member& m : members)
        if (equalsIgnoreCase(wanted, m.name))
            return m.id;
    return DISPID_UNKNOWN;
}

HRESULT idsOfNames(LPOLESTR* names, UINT count, DISPID* ids,
                   std::initializer_list<Member> members) {
    if (names == nullptr || ids == nullptr)
        return E_POINTER;
    HRESULT hr = S_OK;
    for (UINT i = 0; i < count; ++i) {
        ids[i] = i == 0 ? findMember(names[i], members) : DISPID_UNKNOWN;
        if (ids[i] == DISPID_UNKNOWN)
            hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

} // namespace qor::detail
