// An IEnumVARIANT over a snapshot of values, for a collection's _NewEnum.
#pragma once

#include <memory>
#include <vector>

#include "qor/runtime.h"
#include "qor/variant.h"

namespace qor::detail {

// Owns copies of the values; the enumerator and its clones share them.
class VariantList {
  public:
    HRESULT append(const VARIANT& value);
    const std::vector<Variant>& values() const { return values_; }

  private:
    std::vector<Variant> values_;
};

// Returned with one reference.
IEnumVARIANT* createEnumVariant(std::shared_ptr<const VariantList> values,
                                std::size_t position = 0);

} // namespace qor::detail
