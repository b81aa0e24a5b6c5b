// The automation run-time's Collection: items kept in order, each optionally under a
// text key that compares case-insensitively; addressed by 1-based position or by key.
#include <optional>
#include <vector>

#include "dispatch_args.h"
#include "enum_variant.h"
#include "qor/call_through.h"
#include "qor/dispatch_object.h"

namespace {

using qor::AutomationError;
using qor::Implements;
using qor::Variant;

HRESULT raise(std::int32_t number) {
    return qor::raiseErrorInfo(
        AutomationError(number, u"Collection", std::u16string(qor::standardDescription(number))));
}

struct Entry {
    Variant value;
    std::optional<std::u16string> key;
};

class CollectionImpl final
    : public qor::DispatchObject<CollectionImpl,
                                 Implements<Collection, IID_Collection, IID_IDispatch>> {
  public:
    static const qor::DispatchTable& dispatchTable();

    HRESULT STDMETHODCALLTYPE Item(VARIANT* index, VARIANT* pvarRet) override {
        if (pvarRet == nullptr)
            return E_POINTER;
        std::size_t position;
        const HRESULT hr = locate(index, position);
        if (FAILED(hr))
            return hr;
        VariantInit(pvarRet);
        return VariantCopy(pvarRet, entries_[position].value.get());
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
        entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(position));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE _NewEnum(IUnknown** ppunk) override;

  private:
    // The 0-based position an index names: a text is a key (unknown key: error 5), anything
    // else a 1-based position (out of range: error 9).
    HRESULT locate(const VARIANT* index, std::size_t& position) const;
    std::optional<std::size_t> findKey(std::u16string_view key) const {
        for (std::size_t i = 0; i < entries_.size(); ++i)
            if (entries_[i].key && qor::detail::equalsIgnoreCase(*entries_[i].key, key))
                return i;
        return std::nullopt;
    }

    std::vector<Entry> entries_;
};

HRESULT CollectionImpl::locate(const VARIANT* index, std::size_t& position) const {
    if (qor::detail::isMissing(index))
        return raise(qor::kErrInvalidProcedureCall);
    Variant value;
    if (FAILED(VariantCopyInd(value.get(), index)))
        return raise(qor::kErrInvalidProcedureCall);
    if (value->vt == VT_BSTR) {
        const auto found = findKey(qor::Bstr::toU16(value->bstrVal));
        if (!found)
            return raise(qor::kErrInvalidProcedureCall);
        position = *found;
        return S_OK;
    }
    Variant number;
    const HRESULT hr = VariantChangeType(number.get(), value.get(), 0, VT_I4);
    if (hr == DISP_E_OVERFLOW)
        return raise(qor::kErrSubscriptOutOfRange);
    if (FAILED(hr))
        return raise(qor::kErrTypeMismatch);
    if (number->lVal < 1 || static_cast<std::size_t>(number->lVal) > entries_.size())
        return raise(qor::kErrSubscriptOutOfRange);
    position = static_cast<std::size_t>(number->lVal) - 1;
    return S_OK;
}

HRESULT CollectionImpl::Add(VARIANT* item, VARIANT* key, VARIANT* before, VARIANT* after) {
    if (qor::detail::isMissing(item))
        return raise(qor::kErrInvalidProcedureCall);
    std::optional<std::u16string> newKey;
    if (!qor::detail::isMissing(key)) {
        Variant text;
        if (FAILED(VariantChangeType(text.get(), key, VARIANT_NOVALUEPROP, VT_BSTR)))
            return raise(qor::kErrTypeMismatch);
        newKey = qor::Bstr::toU16(text->bstrVal);
        if (findKey(*newKey))
            return raise(qor::kErrDuplicateKey);
    }
    const bool hasBefore = !qor::detail::isMissing(before);
    const bool hasAfter = !qor::detail::isMissing(after);
    if (hasBefore && hasAfter)
        return raise(qor::kErrInvalidProcedureCall);
    std::size_t insertAt = entries_.size();
    if (hasBefore || hasAfter) {
        const HRESULT hr = locate(hasBefore ? before : after, insertAt);
        if (FAILED(hr))
            return hr;
        if (hasAfter)
            ++insertAt;
    }
    Entry entry{{}, std::move(newKey)};
    const HRESULT hr = VariantCopyInd(entry.value.get(), item);
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
        const HRESULT hr = snapshot->append(*e.value);
        if (FAILED(hr))
            return hr;
    }
    *ppunk = qor::detail::createEnumVariant(std::move(snapshot));
    return S_OK;
}

const qor::DispatchTable& CollectionImpl::dispatchTable() {
    using qor::function;
    using qor::procedure;
    // Every argument is a Variant the collection inspects itself.
    static const qor::DispatchTable table({
        function<&Collection::Item>(u"Item", DISPID_COLLECTION_ITEM, {{u"Index", VT_VARIANT, true}},
                                    VT_VARIANT),
        procedure<&Collection::Add>(u"Add", DISPID_COLLECTION_ADD,
                                    {{u"Item", VT_VARIANT, true},
                                     {u"Key", VT_VARIANT, true, true},
                                     {u"Before", VT_VARIANT, true, true},
                                     {u"After", VT_VARIANT, true, true}}),
        function<&Collection::Count>(u"Count", DISPID_COLLECTION_COUNT, {}, VT_I4),
        procedure<&Collection::Remove>(u"Remove", DISPID_COLLECTION_REMOVE,
                                       {{u"Index", VT_VARIANT, true}}),
        function<&Collection::_NewEnum>(u"_NewEnum", DISPID_NEWENUM, {}, VT_UNKNOWN),
    });
    return table;
}

} // namespace

namespace qor {

Collection* createCollection() {
    return new CollectionImpl();
}

} // namespace qor
