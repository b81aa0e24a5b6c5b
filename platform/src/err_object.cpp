// The automation error object: ErrObject (dual), IErrorInfo and ICreateErrorInfo on one
// reference-counted object, so whatever a caller sets through SetErrorInfo can be read
// back as an ErrObject with its run-time number intact.
#include "err_object.h"

#include "dispatch_args.h"
#include "qor/call_through.h"
#include "qor/dispatch_object.h"

namespace {

using qor::Implements;
using qor::Variant;

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
    Variant text;
    const HRESULT hr = VariantChangeType(text.get(), arg, 0, VT_BSTR);
    if (SUCCEEDED(hr))
        out = qor::Bstr::toU16(text->bstrVal);
    return hr;
}

// IUnknown is the ErrObject face, whether or not it is offered by that name.
class ErrObjectImpl final
    : public qor::DispatchObject<ErrObjectImpl, Implements<ErrObject, IID_ErrObject, IID_IDispatch>,
                                 Implements<IErrorInfo, IID_IErrorInfo>,
                                 Implements<ICreateErrorInfo, IID_ICreateErrorInfo>> {
  public:
    ErrObjectImpl(bool automation, std::int32_t number, std::u16string_view source,
                  std::u16string_view description)
        : automation_(automation), number_(number), source_(source), description_(description) {}

    static const qor::DispatchTable& dispatchTable();
    // A plain error object withholds the automation faces.
    bool offers(REFIID riid) const noexcept {
        return automation_ || !(riid == IID_IDispatch || riid == IID_ErrObject);
    }

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
        Variant v;
        if (FAILED(VariantChangeType(v.get(), helpContext, 0, VT_I4)))
            return DISP_E_TYPEMISMATCH;
        newContext = v->lVal;
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

const qor::DispatchTable& ErrObjectImpl::dispatchTable() {
    using qor::function;
    using qor::procedure;
    using qor::property;
    static const qor::DispatchTable table({
        property<&ErrObject::get_Number, &ErrObject::put_Number>(u"Number", DISPID_ERROBJECT_NUMBER,
                                                                 VT_I4),
        property<&ErrObject::get_Source, &ErrObject::put_Source>(u"Source", DISPID_ERROBJECT_SOURCE,
                                                                 VT_BSTR),
        property<&ErrObject::get_Description, &ErrObject::put_Description>(
            u"Description", DISPID_ERROBJECT_DESCRIPTION, VT_BSTR),
        property<&ErrObject::get_HelpFile, &ErrObject::put_HelpFile>(
            u"HelpFile", DISPID_ERROBJECT_HELPFILE, VT_BSTR),
        property<&ErrObject::get_HelpContext, &ErrObject::put_HelpContext>(
            u"HelpContext", DISPID_ERROBJECT_HELPCONTEXT, VT_I4),
        procedure<&ErrObject::Raise>(u"Raise", DISPID_ERROBJECT_RAISE,
                                     {{u"Number", VT_I4},
                                      {u"Source", VT_VARIANT, true, true},
                                      {u"Description", VT_VARIANT, true, true},
                                      {u"HelpFile", VT_VARIANT, true, true},
                                      {u"HelpContext", VT_VARIANT, true, true}}),
        procedure<&ErrObject::Clear>(u"Clear", DISPID_ERROBJECT_CLEAR, {}),
        function<&ErrObject::get_LastDllError>(u"LastDllError", DISPID_ERROBJECT_LASTDLLERROR, {},
                                               VT_I4),
    });
    return table;
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
