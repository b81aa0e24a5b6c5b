// The per-thread error object (SetErrorInfo/GetErrorInfo) and its translation to and
// from run-time error values.
#include "err_object.h"

namespace {

// Holds the thread's error object; released when the thread ends.
struct ErrorSlot {
    IErrorInfo* info = nullptr;
    ~ErrorSlot() {
        if (info != nullptr)
            info->Release();
    }
};

thread_local ErrorSlot tlsError;

std::u16string readText(IErrorInfo* info, HRESULT (STDMETHODCALLTYPE IErrorInfo::*getter)(BSTR*)) {
    qor::Bstr text;
    if (FAILED((info->*getter)(text.out())))
        return {};
    return text.str();
}

} // namespace

QOR_API HRESULT SetErrorInfo(ULONG, IErrorInfo* perrinfo) {
    if (perrinfo != nullptr)
        perrinfo->AddRef();
    IErrorInfo* old = tlsError.info;
    tlsError.info = perrinfo;
    if (old != nullptr)
        old->Release();
    return S_OK;
}

QOR_API HRESULT GetErrorInfo(ULONG, IErrorInfo** pperrinfo) {
    if (pperrinfo == nullptr)
        return E_INVALIDARG;
    *pperrinfo = tlsError.info; // the caller takes over the thread's reference
    tlsError.info = nullptr;
    return *pperrinfo != nullptr ? S_OK : S_FALSE;
}

QOR_API HRESULT CreateErrorInfo(ICreateErrorInfo** pperrinfo) {
    if (pperrinfo == nullptr)
        return E_INVALIDARG;
    *pperrinfo = qor::detail::createPlainErrorInfo();
    return S_OK;
}

namespace qor {

HRESULT hresultFromErrorNumber(std::int32_t number) {
    if (number < 0)
        return number;
    if (number >= 1 && number <= 0xFFFF)
        return static_cast<HRESULT>(static_cast<std::uint32_t>(VB_ERROR_BASE) +
                                    static_cast<std::uint32_t>(number));
    return E_FAIL;
}

HRESULT raiseErrorInfo(const AutomationError& err) {
    ErrObject* obj = createErrObject(err.number, err.source, err.description);
    IErrorInfo* info = nullptr;
    obj->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info));
    SetErrorInfo(0, info);
    info->Release();
    obj->Release();
    return hresultFromErrorNumber(err.number);
}

AutomationError takeErrorInfo(HRESULT hr) {
    const bool runTime =
        (static_cast<std::uint32_t>(hr) & 0xFFFF0000u) == static_cast<std::uint32_t>(VB_ERROR_BASE);
    std::int32_t number = runTime ? static_cast<std::int32_t>(hr & 0xFFFF) : hr;
    IErrorInfo* info = nullptr;
    if (GetErrorInfo(0, &info) != S_OK)
        return AutomationError(number, u"", u"");

    ErrObject* err = nullptr;
    if (SUCCEEDED(info->QueryInterface(IID_ErrObject, reinterpret_cast<void**>(&err)))) {
        LONG n = 0;
        if (SUCCEEDED(err->get_Number(&n)))
            number = n;
        err->Release();
    }
    AutomationError result(number, readText(info, &IErrorInfo::GetSource),
                           readText(info, &IErrorInfo::GetDescription));
    info->Release();
    return result;
}

} // namespace qor
