#include "qor/dispatch_table.h"

#include <array>
#include <stdexcept>

#include "dispatch_args.h"
#include "qor/debug_log.h"
#include "qor/runtime.h"

namespace qor {
namespace {

constexpr std::size_t kMaxParams = 8;

bool sameName(std::u16string_view name, LPCOLESTR asked) {
    return detail::equalsIgnoreCase(name, std::u16string_view(asked));
}

// Argument storage for one Invoke: owned conversions, and the views handed to the call.
class Arguments {
  public:
    Arguments() {
        for (VARIANT& v : passed_)
            VariantInit(&v);
    }

    VARIANT& owned(std::size_t i) { return *owned_[i]; }
    VARIANT& passed(std::size_t i) { return passed_[i]; }
    VARIANT* passed() { return passed_.data(); }

  private:
    std::array<Variant, kMaxParams> owned_;
    std::array<VARIANT, kMaxParams> passed_; // non-owning
};

// Hands `holder` to the call by value, or by reference to its storage.
void bind(const ParamSpec& p, VARIANT& holder, VARIANT& passed) {
    if (!p.byRef) {
        passed = holder;
        return;
    }
    passed.vt = static_cast<VARTYPE>(VT_BYREF | p.vt);
    if (p.vt == VT_VARIANT)
        passed.pvarVal = &holder; // a Variant by reference is the whole VARIANT
    else
        passed.byref = &holder.llVal; // every other union member starts here
}

void setDefault(const ParamSpec& p, VARIANT& holder) {
    holder.vt = p.vt;
    switch (p.vt) {
    case VT_BOOL:
        holder.boolVal = static_cast<VARIANT_BOOL>(p.defaultValue);
        break;
    case VT_I2:
        holder.iVal = static_cast<SHORT>(p.defaultValue);
        break;
    case VT_I4:
        holder.lVal = p.defaultValue;
        break;
    case VT_R8:
        holder.dblVal = p.defaultValue;
        break;
    case VT_VARIANT: // an omitted Variant is the standard "missing" value
        holder.vt = VT_ERROR;
        holder.scode = DISP_E_PARAMNOTFOUND;
        break;
    default:
        holder.llVal = 0; // "" for text (a null BSTR), Nothing for objects
    }
}

HRESULT prepareObject(const ParamSpec& p, VARIANT& src, VARIANT& owned, VARIANT& passed) {
    IUnknown* given = nullptr;
    switch (src.vt) {
    case VT_DISPATCH:
    case VT_UNKNOWN:
        given = src.punkVal;
        break;
    case VT_BYREF | VT_DISPATCH:
    case VT_BYREF | VT_UNKNOWN:
        if (src.ppunkVal == nullptr)
            return E_INVALIDARG;
        given = *src.ppunkVal;
        break;
    case VT_EMPTY:
        break; // Nothing
    default:
        return DISP_E_TYPEMISMATCH;
    }
    if (p.iid == nullptr) { // plain IDispatch: the caller's own variable when it has one
        if (src.vt == (VT_BYREF | VT_DISPATCH) && p.byRef) {
            passed = src;
            return S_OK;
        }
        if (src.vt == VT_DISPATCH) {
            bind(p, src, passed);
            return S_OK;
        }
    }
    owned.vt = VT_DISPATCH;
    owned.pdispVal = nullptr;
    if (given != nullptr) {
        void* wanted = nullptr;
        if (FAILED(given->QueryInterface(p.iid ? *p.iid : IID_IDispatch, &wanted)))
            return DISP_E_TYPEMISMATCH;
        owned.pdispVal = static_cast<IDispatch*>(wanted);
    }
    bind(p, owned, passed);
    return S_OK;
}

HRESULT prepare(const ParamSpec& p, VARIANT* arg, VARIANT& owned, VARIANT& passed) {
    if (arg == nullptr || (arg->vt == VT_ERROR && arg->scode == DISP_E_PARAMNOTFOUND)) {
        if (!p.optional)
            return DISP_E_PARAMNOTFOUND;
        setDefault(p, owned);
        bind(p, owned, passed);
        return S_OK;
    }
    VARIANT* src = arg;
    if (src->vt == (VT_BYREF | VT_VARIANT)) {
        if (src->pvarVal == nullptr)
            return E_INVALIDARG;
        src = src->pvarVal;
        if (src->vt == (VT_BYREF | VT_VARIANT))
            return E_INVALIDARG; // a chain of references, perhaps a loop: never followed
    }
    if (p.vt == VT_VARIANT) {
        if (p.byRef) {
            passed.vt = VT_BYREF | VT_VARIANT;
            passed.pvarVal = src;
        } else {
            passed = *src;
        }
        return S_OK;
    }
    if (p.vt == VT_DISPATCH)
        return prepareObject(p, *src, owned, passed);
    if (p.byRef && src->vt == (VT_BYREF | p.vt)) {
        passed = *src;
        return S_OK;
    }
    if (src->vt == p.vt) { // no conversion, no copy
        bind(p, *src, passed);
        return S_OK;
    }
    const HRESULT hr = VariantChangeType(&owned, src, 0, p.vt);
    if (FAILED(hr))
        return hr;
    bind(p, owned, passed);
    return S_OK;
}

// A failed call: its HRESULT and error object become DISP_E_EXCEPTION and EXCEPINFO; the
// error object stays set for the caller, as after an early-bound call.
HRESULT reportException(HRESULT hr, EXCEPINFO* excepInfo) {
    IErrorInfo* info = nullptr;
    if (GetErrorInfo(0, &info) != S_OK)
        info = nullptr;
    if (excepInfo != nullptr) {
        *excepInfo = EXCEPINFO{};
        excepInfo->scode = hr;
        if (info != nullptr) {
            info->GetSource(&excepInfo->bstrSource);
            info->GetDescription(&excepInfo->bstrDescription);
        }
    }
    if (info != nullptr) {
        SetErrorInfo(0, info);
        info->Release();
    }
    return DISP_E_EXCEPTION;
}

} // namespace

const MethodSpec* DispatchTable::find(DISPID dispid) const {
    for (const MethodSpec& m : methods_)
        if (m.dispid == dispid)
            return &m;
    return nullptr;
}

HRESULT DispatchTable::getIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, DISPID* ids) const {
    if (!(riid == IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    if (count == 0)
        return S_OK;
    if (names == nullptr || ids == nullptr || names[0] == nullptr)
        return E_INVALIDARG;
    const MethodSpec* method = nullptr;
    for (const MethodSpec& m : methods_)
        if (sameName(m.name, names[0]))
            method = &m;
    HRESULT hr = S_OK;
    ids[0] = method ? method->dispid : DISPID_UNKNOWN;
    if (!method) {
        debugLog("dispatch: no member named %s", toUtf8(names[0]).c_str());
        hr = DISP_E_UNKNOWNNAME;
    }
    // Further names are parameter names, numbered by position.
    for (UINT i = 1; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
        if (method == nullptr || names[i] == nullptr) {
            hr = DISP_E_UNKNOWNNAME;
            continue;
        }
        for (std::size_t k = 0; k < method->params.size(); ++k)
            if (sameName(method->params[k].name, names[i]))
                ids[i] = static_cast<DISPID>(k);
        if (ids[i] == DISPID_UNKNOWN)
            hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

HRESULT DispatchTable::invoke(void* self, DISPID dispid, REFIID riid, WORD flags,
                              DISPPARAMS* params, VARIANT* result, EXCEPINFO* excepInfo,
                              UINT* argErr) const {
    if (!(riid == IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    const MethodSpec* method = find(dispid);
    if (method == nullptr) {
        debugLog("dispatch: no member %d", static_cast<int>(dispid));
        return DISP_E_MEMBERNOTFOUND;
    }
    if (params == nullptr || (params->cArgs > 0 && params->rgvarg == nullptr) ||
        (params->cNamedArgs > 0 && params->rgdispidNamedArgs == nullptr))
        return E_INVALIDARG;
    if ((flags & DISPATCH_PROPERTYPUT) != 0 && method->put != nullptr)
        return invokePut(self, *method, params, excepInfo, argErr);
    if ((flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)) == 0)
        return DISP_E_MEMBERNOTFOUND;

    const std::size_t declared = method->params.size();
    const UINT positional = params->cArgs - params->cNamedArgs;
    if (params->cNamedArgs > params->cArgs || params->cArgs > declared)
        return DISP_E_BADPARAMCOUNT;

    // Which argument (as an index into rgvarg) goes to each parameter; positional ones
    // arrive last-first, named ones lead the array.
    std::array<VARIANT*, kMaxParams> given{};
    std::array<UINT, kMaxParams> position{};
    for (UINT k = 0; k < positional; ++k) {
        position[k] = params->cArgs - 1 - k;
        given[k] = &params->rgvarg[position[k]];
    }
    for (UINT j = 0; j < params->cNamedArgs; ++j) {
        const DISPID target = params->rgdispidNamedArgs[j];
        if (target < 0 || static_cast<std::size_t>(target) >= declared ||
            given[static_cast<std::size_t>(target)]) {
            if (argErr)
                *argErr = j;
            return DISP_E_PARAMNOTFOUND;
        }
        given[static_cast<std::size_t>(target)] = &params->rgvarg[j];
        position[static_cast<std::size_t>(target)] = j;
    }
    if (params->cNamedArgs == 0)
        for (std::size_t k = positional; k < declared; ++k)
            if (!method->params[k].optional)
                return DISP_E_BADPARAMCOUNT;

    Arguments args;
    for (std::size_t k = 0; k < declared; ++k) {
        const HRESULT hr = prepare(method->params[k], given[k], args.owned(k), args.passed(k));
        if (FAILED(hr)) {
            debugLog("dispatch: %s: parameter %s refused (0x%08X)", toUtf8(method->name).c_str(),
                     toUtf8(method->params[k].name).c_str(), static_cast<unsigned>(hr));
            if (argErr && given[k])
                *argErr = position[k];
            return hr;
        }
    }

    Variant out;
    const HRESULT hr = method->call(self, args.passed(), out.get());
    if (FAILED(hr)) {
        debugLog("dispatch: %s failed (0x%08X)", toUtf8(method->name).c_str(),
                 static_cast<unsigned>(hr));
        return reportException(hr, excepInfo);
    }
    if (method->result != VT_VARIANT)
        out->vt = method->result; // a Variant result tags itself
    if (result != nullptr)
        *result = out.detach();
    return S_OK;
}

HRESULT DispatchTable::invokePut(void* self, const MethodSpec& method, DISPPARAMS* params,
                                 EXCEPINFO* excepInfo, UINT* argErr) const {
    // The new value is the one argument, named DISPID_PROPERTYPUT.
    if (params->cArgs != 1 || params->cNamedArgs != 1 ||
        params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
        return params->cNamedArgs > 1 ? DISP_E_NONAMEDARGS : DISP_E_BADPARAMCOUNT;
    Variant owned;
    VARIANT passed;
    VariantInit(&passed);
    const HRESULT prepared = prepare({u"", method.result}, &params->rgvarg[0], *owned, passed);
    if (FAILED(prepared)) {
        if (argErr)
            *argErr = 0;
        return prepared;
    }
    Variant ignored;
    const HRESULT hr = method.put(self, &passed, ignored.get());
    return FAILED(hr) ? reportException(hr, excepInfo) : S_OK;
}

DispatchTable::DispatchTable(std::vector<MethodSpec> methods) : methods_(std::move(methods)) {
    for (const MethodSpec& m : methods_)
        if (m.params.size() > kMaxParams)
            throw std::length_error("too many parameters");
}

} // namespace qor
