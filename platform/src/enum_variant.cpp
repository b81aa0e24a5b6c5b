#include "enum_variant.h"

#include "qor/com_object.h"

namespace qor::detail {

HRESULT VariantList::append(const VARIANT& value) {
    Variant copy;
    const HRESULT hr = VariantCopy(copy.get(), &value);
    if (SUCCEEDED(hr))
        values_.push_back(std::move(copy));
    return hr;
}

namespace {

class EnumVariant final
    : public ComObject<EnumVariant, Implements<IEnumVARIANT, IID_IEnumVARIANT>> {
  public:
    EnumVariant(std::shared_ptr<const VariantList> values, std::size_t position)
        : values_(std::move(values)), position_(position) {}

    HRESULT STDMETHODCALLTYPE Next(ULONG celt, VARIANT* rgVar, ULONG* pCeltFetched) override {
        if (pCeltFetched != nullptr)
            *pCeltFetched = 0;
        if (rgVar == nullptr && celt > 0)
            return E_POINTER;
        const auto& all = values_->values();
        ULONG fetched = 0;
        while (fetched < celt && position_ < all.size()) {
            VariantInit(&rgVar[fetched]);
            const HRESULT hr = VariantCopy(&rgVar[fetched], all[position_].get());
            if (FAILED(hr)) {
                for (ULONG i = 0; i < fetched; ++i)
                    VariantClear(&rgVar[i]);
                return hr;
            }
            ++fetched;
            ++position_;
        }
        if (pCeltFetched != nullptr)
            *pCeltFetched = fetched;
        return fetched == celt ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG celt) override {
        const std::size_t left = values_->values().size() - position_;
        if (celt > left) {
            position_ += left;
            return S_FALSE;
        }
        position_ += celt;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        position_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** ppEnum) override {
        if (ppEnum == nullptr)
            return E_POINTER;
        *ppEnum = createEnumVariant(values_, position_);
        return S_OK;
    }

  private:
    std::shared_ptr<const VariantList> values_;
    std::size_t position_;
};

} // namespace

IEnumVARIANT* createEnumVariant(std::shared_ptr<const VariantList> values, std::size_t position) {
    return new EnumVariant(std::move(values), position);
}

} // namespace qor::detail
