// The automation run-time's Collection: items kept in order, each optionally under a
// text key that compares case-insensitively; addressed by 1-based position or by key.
#include <atomic>
#include <optional>
#include <vector>

#include "dispatch_args.h"
#include "enum_variant.h"

namespace {

using qor::AutomationError;
using qor::detail::Member;

const std::initializer_list<Member> kMembers = {
    {u"Item", DISPID_COLLECTION_ITEM},   {u"Add", DISPID_COLLECTION_ADD},
    {u"Count", DISPID_COLLECTION_COUNT}, {u"Remove", DISPID_COLLECTION_REMOVE},
    {u"_NewEnum", DISPID_NEWENUM},
};

HRESULT raise(std::int32_t number) {
    return qor::raiseErrorInfo(
        AutomationError(number, u"Collection", std::u16string(qor::standardDescription(number))));
}

struct Entry {
    VARIANT value;
    std::optional<std::u16string> key;
};

class CollectionImpl final : public Collection {
  public:
    CollectionImpl() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (ppv == nullptr)
            return E_POINTER;
        if (riid != IID_IUnknown && riid != IID_IDispatch && riid != IID_Collection) {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        *ppv = static_cast<Collection*>(this);
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

    HRESULT STDMETHODCALLTYPE Item(VARIANT* index, VARIANT* pvarRet) override {
        if (pvarRet == nullptr)
            return E_POINTER;
        std::size_t position;
        const HRESULT hr = locate(index, position);
        if (FAILED(hr))
            return hr;
        VariantInit(pvarRet);
        return VariantCopy(pvarRet, &entries_[position].value);
    }
    HRESULT STDMETHODCALLTYPE Add(VARIANT* item, VARIANT* key, VARIANT* before,
                                  VARIANT* after) override;
    HRESULT STDMETHODCALLTYPE Count(LONG* pi) override {
        if (pi == nullptr)
            return E_POINTER;
        *pi = static_cast<LONG>(entries_.size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Remove(VARIANT* index) override {
        std::size_t position;
        const HRESULT hr = locate(index, position);
        if (FAILED(hr))
            return hr;
        VariantClear(&entries_[position].value);
        entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(position));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE _NewEnum(IUnknown** ppunk) override;

  private:
    ~CollectionImpl() {
        for (Entry& e : entries_)
            VariantClear(&e.value);
    }

    // The 0-based position an index names: a text is a key (unknown key: error 5), anything
    // else a 1-based position (out of range: error 9).
    HRESULT locate(const VARIANT* index, std::size_t& position) const;
    std::optional<std::size_t> findKey(std::u16string_view key) const {
        for (std::size_t i = 0; i < entries_.size(); ++i)
            if (entries_[i].key && qor::detail::equalsIgnoreCase(*entries_[i].key, key))
                return i;
        return std::nullopt;
    }

    std::atomic<ULONG> refs_{1};
    std::vector<Entry> entries_;
};

HRESULT CollectionImpl::locate(const VARIANT* index, std::size_t& position) const {
    if (qor::detail::isMissing(index))
        return raise(qor::kErrInvalidCall);
    VARIANT value;
    VariantInit(&value);
    if (FAILED(VariantCopyInd(&value, index)))
        return raise(qor::kErrInvalidCall);
    if (value.vt == VT_BSTR) {
        const auto found = findKey(qor::Bstr::toU16(value.bstrVal));
        VariantClear(&value);
        if (!found)
            return raise(qor::kErrInvalidCall);
        position = *found;
        return S_OK;
    }
    VARIANT number;
    VariantInit(&number);
    const HRESULT hr = VariantChangeType(&number, &value, 0, VT_I4);
    VariantClear(&value);
    if (hr == DISP_E_OVERFLOW)
        return raise(qor::kErrSubscript);
    if (FAILED(hr))
        return raise(qor::kErrTypeMismatch);
    if (number.lVal < 1 || static_cast<std::size_t>(number.lVal) > entries_.size())
        return raise(qor::kErrSubscript);
    position = static_cast<std::size_t>(number.lVal) - 1;
    return S_OK;
}

HRESULT CollectionImpl::Add(VARIANT* item, VARIANT* key, VARIANT* before, VARIANT* after) {
    if (qor::detail::isMissing(item))
        return raise(qor::kErrInvalidCall);
    std::optional<std::u16string> newKey;
    if (!qor::detail::isMissing(key)) {
        VARIANT text;
        VariantInit(&text);
        if (FAILED(VariantChangeType(&text, key, VARIANT_NOVALUEPROP, VT_BSTR)))
            return raise(qor::kErrTypeMismatch);
        newKey = qor::Bstr::toU16(text.bstrVal);
        VariantClear(&text);
        if (findKey(*newKey))
            return raise(qor::kErrDuplicateKey);
    }
    const bool hasBefore = !qor::detail::isMissing(before);
    const bool hasAfter = !qor::detail::isMissing(after);
    if (hasBefore && hasAfter)
        return raise(qor::kErrInvalidCall);
    std::size_t insertAt = entries_.size();
    if (hasBefore || hasAfter) {
        const HRESULT hr = locate(hasBefore ? before : after, insertAt);
        if (FAILED(hr))
            return hr;
        if (hasAfter)
            ++insertAt;
    }
    Entry entry{{}, std::move(newKey)};
    VariantInit(&entry.value);
    const HRESULT hr = VariantCopyInd(&entry.value, item);
    if (FAILED(hr))
        return hr;
    entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(entry));
    return S_OK;
}

HRESULT CollectionImpl::_NewEnum(IUnknown** ppunk) {
    if (ppunk == nullptr)
        return E_POINTER;
    *ppunk = nullptr;
    auto snapshot = std::make_shared<qor::detail::VariantList>();
    for (const Entry& e : entries_) {
        const HRESULT hr = snapshot->append(e.value);
        if (FAILED(hr))
            return hr;
    }
    *ppunk = qor::detail::createEnumVariant(std::move(snapshot));
    return S_OK;
}

HRESULT CollectionImpl::Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                               VARIANT* result, EXCEPINFO* excep, UINT*) {
    if (riid != IID_NULL)
        return DISP_E_UNKNOWNINTERFACE;
    if ((flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)) == 0)
        return DISP_E_MEMBERNOTFOUND; // all read-only
    VARIANT scratch;
    VariantInit(&scratch);
    VARIANT* out = result != nullptr ? result : &scratch;
    auto arg = [&](UINT i) { return const_cast<VARIANT*>(qor::detail::positionalArg(params, i)); };
    HRESULT hr;
    switch (id) {
    case DISPID_COLLECTION_ITEM:
        hr = qor::detail::checkCall(params, flags, 1, 1);
        if (SUCCEEDED(hr))
            hr = Item(arg(0), out);
        break;
    case DISPID_COLLECTION_ADD:
        hr = qor::detail::checkCall(params, flags, 1, 4);
        if (SUCCEEDED(hr))
            hr = Add(arg(0), arg(1), arg(2), arg(3));
        break;
    case DISPID_COLLECTION_COUNT:
        hr = qor::detail::checkCall(params, flags, 0, 0);
        if (SUCCEEDED(hr)) {
            VariantClear(out);
            out->vt = VT_I4;
            hr = Count(&out->lVal);
        }
        break;
    case DISPID_COLLECTION_REMOVE:
        hr = qor::detail::checkCall(params, flags, 1, 1);
        if (SUCCEEDED(hr))
            hr = Remove(arg(0));
        break;
    case DISPID_NEWENUM:
        hr = qor::detail::checkCall(params, flags, 0, 0);
        if (SUCCEEDED(hr)) {
            VariantClear(out);
            hr = _NewEnum(&out->punkVal);
            if (SUCCEEDED(hr))
                out->vt = VT_UNKNOWN;
        }
        break;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
    VariantClear(&scratch);
    if ((static_cast<std::uint32_t>(hr) & 0xFFFF0000u) == static_cast<std::uint32_t>(VB_ERROR_BASE))
        return qor::detail::exceptionResult(excep, qor::takeErrorInfo(hr));
    return hr;
}

} // namespace

namespace qor {

Collection* createCollection() {
    return new CollectionImpl();
}

} // namespace qor
