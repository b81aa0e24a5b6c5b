#include "late_binding.h"

#include <string>

#include "qor/runtime.h"
#include "runtime_errors.h"

namespace qor::common {
namespace {

// The error an object raised inside Invoke, as it described it.
[[noreturn]] void raiseFromException(EXCEPINFO& info) {
    if (info.pfnDeferredFillIn != nullptr)
        info.pfnDeferredFillIn(&info);
    const Bstr source = Bstr::attach(info.bstrSource);
    const Bstr description = Bstr::attach(info.bstrDescription);
    const Bstr helpFile = Bstr::attach(info.bstrHelpFile);
    std::int32_t number = info.wCode != 0 ? info.wCode : info.scode;
    if ((static_cast<std::uint32_t>(number) & 0xFFFF0000u) ==
        static_cast<std::uint32_t>(VB_ERROR_BASE))
        number &= 0xFFFF;
    throw AutomationError(number, source.str(), description.str());
}

[[noreturn]] void raiseFromHresult(HRESULT hr) {
    switch (hr) {
    case DISP_E_MEMBERNOTFOUND:
    case DISP_E_UNKNOWNNAME:
        raiseRuntime(kErrNotSupported);
    case DISP_E_TYPEMISMATCH:
        raiseRuntime(kErrTypeMismatch);
    case DISP_E_BADPARAMCOUNT:
        raiseRuntime(kErrWrongArgCount);
    case DISP_E_PARAMNOTFOUND:
        raiseRuntime(kErrNamedArgNotFound);
    case DISP_E_OVERFLOW:
        raiseRuntime(kErrOverflow);
    case E_OUTOFMEMORY:
        raiseRuntime(kErrOutOfMemory);
    default:
        throw AutomationError(hr, std::u16string(kLibrarySource), u"Automation error");
    }
}

DISPID dispIdOf(IDispatch* object, std::u16string_view name) {
    if (object == nullptr)
        raiseRuntime(kErrObjectNotSet);
    std::u16string ownName(name);
    LPOLESTR names[] = {ownName.data()};
    DISPID id = DISPID_UNKNOWN;
    if (const HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
        FAILED(hr))
        raiseFromHresult(hr);
    return id;
}

void invoke(IDispatch* object, DISPID id, WORD flags, DISPPARAMS& params, VARIANT* result) {
    EXCEPINFO info{};
    UINT argErr = 0;
    const HRESULT hr =
        object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, &info, &argErr);
    if (hr == DISP_E_EXCEPTION)
        raiseFromException(info);
    if (FAILED(hr))
        raiseFromHresult(hr);
}

} // namespace

void putProperty(IDispatch* object, std::u16string_view name, const VARIANT& value) {
    const DISPID id = dispIdOf(object, name);
    VARIANT argument = value;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{&argument, &named, 1, 1};
    invoke(object, id, DISPATCH_PROPERTYPUT, params, nullptr);
}

void getProperty(IDispatch* object, std::u16string_view name, Variant& result) {
    const DISPID id = dispIdOf(object, name);
    DISPPARAMS params{nullptr, nullptr, 0, 0};
    invoke(object, id, DISPATCH_PROPERTYGET, params, result.out());
}

void callMethod(IDispatch* object, std::u16string_view name) {
    const DISPID id = dispIdOf(object, name);
    DISPPARAMS params{nullptr, nullptr, 0, 0};
    Variant ignored;
    invoke(object, id, DISPATCH_METHOD, params, ignored.get());
}

} // namespace qor::common
