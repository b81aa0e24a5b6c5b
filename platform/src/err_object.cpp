// The automation error object: ErrObject (dual), IErrorInfo and ICreateErrorInfo on one
// reference-counted object, so whatever a caller sets through SetErrorInfo can be read
// back as an ErrObject with its run-time number intact.
#include <atomic>

#include "dispatch_args.h"
#include "err_object.h"

namespace {

using qor::detail::Member;

const std::initializer_list<Member> kMembers = {
    {u"Number", DISPID_ERROBJECT_NUMBER},
    {u"Source", DISPID_ERROBJECT_SOURCE},
    {u"Description", DISPID_ERROBJECT_DESCRIPTION},
    {u"HelpFile", DISPID_ERROBJECT_HELPFILE},
    {u"HelpContext", DISPID_ERROBJECT_HELPCONTEXT},
    {u"Raise", DISPID_ERROBJECT_RAISE},
    {u"Clear", DISPID_ERROBJECT_CLEAR},
    {u"LastDllError", DISPID_ERROBJECT_LASTDLLERROR},
};

HRESULT copyOut(const std::u16string& text, BSTR* out) {
    if (out == nullptr)
        return E_POINTER;
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out == nullptr ? E_OUTOFMEMORY : S_OK;
}

std::u16string fromOle(const OLECHAR* text) {
    return text == nullptr ? std::u16string() : std::u16string(text);
}

// An optional text argument of Raise: omitted leaves "".
HRESULT optionalText(VARIANT* arg, std::u16string& out) {
    out.clear();
    if (qor::detail::isMissing(arg))
        return S_OK;
    VARIANT text;
    VariantInit(&text);
    const HRESULT hr = VariantChangeType(&text, arg, 0, VT_BSTR);
    if (SUCCEEDED(hr))
        out = qor::Bstr::toU16(text.bstrVal);
    VariantClear(&text);
    return hr;
}

class ErrObjectImpl final : public ErrObject, public IErrorInfo, public ICreateErrorInfo {
  public:
    ErrObjectImpl(bool automation, std::int32_t number, std::u16string_view source,
                  std::u16string_view description)
        : automation_(automation), number_(number), source_(source), description_(description) {}

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (ppv == nullptr)
            return E_POINTER;
        if (riid == IID_IUnknown ||
            (automation_ && (riid == IID_IDispatch || riid == IID_ErrObject)))
            *ppv = static_cast<ErrObject*>(this);
        else if (riid == IID_IErrorInfo)
            *ppv = static_cast<IErrorInfo*>(this);
        else if (riid == IID_ICreateErrorInfo)
            *ppv = static_cast<ICreateErrorInfo*>(this);
        else {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --refs_;
        if (left == 0)
            delete this;
        return left;
    }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override {
        if (pctinfo == nullptr)
            return E_POINTER;
        *pctinfo = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override {
        if (ppTInfo != nullptr)
            *ppTInfo = nullptr;
        return DISP_E_BADINDEX; // no type information is offered
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override {
        return qor::detail::idsOfNames(names, count, ids, kMembers);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* excep, UINT* argErr) override;

    // ErrObject
    HRESULT STDMETHODCALLTYPE get_Number(LONG* pl) override { return getLong(number_, pl); }
    HRESULT STDMETHODCALLTYPE put_Number(LONG l) override {
        number_ = l;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Source(BSTR* pbstr) override { return copyOut(source_, pbstr); }
    HRESULT STDMETHODCALLTYPE put_Source(BSTR bstr) override { return setText(source_, bstr); }
    HRESULT STDMETHODCALLTYPE get_Description(BSTR* pbstr) override {
        return copyOut(description_, pbstr);
    }
    HRESULT STDMETHODCALLTYPE put_Description(BSTR bstr) override {
        return setText(description_, bstr);
    }
    HRESULT STDMETHODCALLTYPE get_HelpFile(BSTR* pbstr) override {
        return copyOut(helpFile_, pbstr);
    }
    HRESULT STDMETHODCALLTYPE put_HelpFile(BSTR bstr) override { return setText(helpFile_, bstr); }
    HRESULT STDMETHODCALLTYPE get_HelpContext(LONG* pl) override {
        return getLong(helpContext_, pl);
    }
    HRESULT STDMETHODCALLTYPE put_HelpContext(LONG l) override {
        helpContext_ = l;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Raise(LONG number, VARIANT* source, VARIANT* description,
                                    VARIANT* helpFile, VARIANT* helpContext) override;
    HRESULT STDMETHODCALLTYPE Clear() override {
        number_ = 0;
        helpContext_ = 0;
        source_.clear();
        description_.clear();
        helpFile_.clear();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_LastDllError(LONG* pl) override { return getLong(0, pl); }

    // IErrorInfo
    HRESULT STDMETHODCALLTYPE GetGUID(GUID* pGUID) override {
        if (pGUID == nullptr)
            return E_POINTER;
        *pGUID = guid_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetSource(BSTR* out) override { return copyOut(source_, out); }
    HRESULT STDMETHODCALLTYPE GetDescription(BSTR* out) override {
        return copyOut(description_, out);
    }
    HRESULT STDMETHODCALLTYPE GetHelpFile(BSTR* out) override { return copyOut(helpFile_, out); }
    HRESULT STDMETHODCALLTYPE GetHelpContext(DWORD* out) override {
        if (out == nullptr)
            return E_POINTER;
        *out = static_cast<DWORD>(helpContext_);
        return S_OK;
    }

    // ICreateErrorInfo
    HRESULT STDMETHODCALLTYPE SetGUID(REFGUID rguid) override {
        guid_ = rguid;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetSource(LPOLESTR text) override {
        source_ = fromOle(text);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetDescription(LPOLESTR text) override {
        description_ = fromOle(text);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetHelpFile(LPOLESTR text) override {
        helpFile_ = fromOle(text);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetHelpContext(DWORD context) override {
        helpContext_ = static_cast<LONG>(context);
        return S_OK;
    }

  private:
    ~ErrObjectImpl() = default;

    static HRESULT getLong(LONG value, LONG* out) {
        if (out == nullptr)
            return E_POINTER;
        *out = value;
        return S_OK;
    }
    static HRESULT setText(std::u16string& field, BSTR value) {
        field = qor::Bstr::toU16(value);
        return S_OK;
    }

    HRESULT invokeProperty(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                           UINT* argErr);

    std::atomic<ULONG> refs_{1};
    const bool automation_; // offers ErrObject and IDispatch
    LONG number_;
    LONG helpContext_ = 0;
    std::u16string source_;
    std::u16string description_;
    std::u16string helpFile_;
    GUID guid_ = IID_NULL;
};

HRESULT ErrObjectImpl::Raise(LONG number, VARIANT* source, VARIANT* description, VARIANT* helpFile,
                             VARIANT* helpContext) {
    std::u16string newSource, newDescription, newHelpFile;
    LONG newContext = 0;
    if (FAILED(optionalText(source, newSource)) ||
        FAILED(optionalText(description, newDescription)) ||
        FAILED(optionalText(helpFile, newHelpFile)))
        return DISP_E_TYPEMISMATCH;
    if (!qor::detail::isMissing(helpContext)) {
        VARIANT v;
        VariantInit(&v);
        if (FAILED(VariantChangeType(&v, helpContext, 0, VT_I4)))
            return DISP_E_TYPEMISMATCH;
        newContext = v.lVal;
    }
    number_ = number;
    source_ = std::move(newSource);
    description_ =
        newDescription.empty() ? std::u16string(qor::standardDescription(number)) : newDescription;
    helpFile_ = std::move(newHelpFile);
    helpContext_ = newContext;
    // Raising makes this object the thread's error, as a failing call would.
    SetErrorInfo(0, static_cast<IErrorInfo*>(this));
    return qor::hresultFromErrorNumber(number);
}

HRESULT ErrObjectImpl::invokeProperty(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                                      UINT* argErr) {
    const bool put = (flags & DISPATCH_PROPERTYPUT) != 0;
    HRESULT hr = qor::detail::checkCall(params, flags, put ? 1 : 0, put ? 1 : 0);
    if (FAILED(hr))
        return hr;
    const bool isText = id == DISPID_ERROBJECT_SOURCE || id == DISPID_ERROBJECT_DESCRIPTION ||
                        id == DISPID_ERROBJECT_HELPFILE;
    std::u16string* text = id == DISPID_ERROBJECT_SOURCE        ? &source_
                           : id == DISPID_ERROBJECT_DESCRIPTION ? &description_
                                                                : &helpFile_;
    LONG* number = id == DISPID_ERROBJECT_NUMBER ? &number_ : &helpContext_;
    if (put) {
        if (id == DISPID_ERROBJECT_LASTDLLERROR)
            return DISP_E_MEMBERNOTFOUND; // read-only
        VARIANT value;
        VariantInit(&value);
        hr = qor::detail::argAs(params, 0, isText ? VT_BSTR : VT_I4, value, argErr);
        if (FAILED(hr))
            return hr;
        if (isText)
            *text = qor::Bstr::toU16(value.bstrVal);
        else
            *number = value.lVal;
        VariantClear(&value);
        return S_OK;
    }
    if (result == nullptr)
        return S_OK;
    VariantClear(result);
    if (isText) {
        result->vt = VT_BSTR;
        return copyOut(*text, &result->bstrVal);
    }
    result->vt = VT_I4;
    result->lVal = id == DISPID_ERROBJECT_LASTDLLERROR ? 0 : *number;
    return S_OK;
}

HRESULT ErrObjectImpl::Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                              VARIANT* result, EXCEPINFO* excep, UINT* argErr) {
    if (riid != IID_NULL)
        return DISP_E_UNKNOWNINTERFACE;
    switch (id) {
    case DISPID_ERROBJECT_NUMBER:
    case DISPID_ERROBJECT_SOURCE:
    case DISPID_ERROBJECT_DESCRIPTION:
    case DISPID_ERROBJECT_HELPFILE:
    case DISPID_ERROBJECT_HELPCONTEXT:
    case DISPID_ERROBJECT_LASTDLLERROR:
        return invokeProperty(id, flags, params, result, argErr);
    case DISPID_ERROBJECT_CLEAR: {
        const HRESULT hr = qor::detail::checkCall(params, flags, 0, 0);
        return FAILED(hr) ? hr : Clear();
    }
    case DISPID_ERROBJECT_RAISE: {
        HRESULT hr = qor::detail::checkCall(params, flags, 1, 5);
        if (FAILED(hr))
            return hr;
        VARIANT number;
        VariantInit(&number);
        hr = qor::detail::argAs(params, 0, VT_I4, number, argErr);
        if (FAILED(hr))
            return hr;
        auto arg = [&](UINT i) {
            return const_cast<VARIANT*>(qor::detail::positionalArg(params, i));
        };
        hr = Raise(number.lVal, arg(1), arg(2), arg(3), arg(4));
        if (hr == DISP_E_TYPEMISMATCH)
            return hr;
        return qor::detail::exceptionResult(excep, qor::takeErrorInfo(hr));
    }
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

} // namespace

namespace qor {

ErrObject* createErrObject(std::int32_t number, std::u16string_view source,
                           std::u16string_view description) {
    return new ErrObjectImpl(true, number, source, description);
}

} // namespace qor

namespace qor::detail {

ICreateErrorInfo* createPlainErrorInfo() {
    return static_cast<ICreateErrorInfo*>(new ErrObjectImpl(false, 0, u"", u""));
}

} // namespace qor::detail
