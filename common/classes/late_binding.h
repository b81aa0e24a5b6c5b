// Calls on an automation object by member name at call time, as a late-bound client
// does; failures become the run-time errors such a client sees (438 for a missing
// member, the object's own error for an exception it raised...).
#pragma once

#include <string_view>

#include "qor/com_interfaces.h"

namespace qor::common {

// Owns one VARIANT.
class OwnedVariant {
  public:
    OwnedVariant();
    ~OwnedVariant();
    OwnedVariant(const OwnedVariant&) = delete;
    OwnedVariant& operator=(const OwnedVariant&) = delete;
    VARIANT* get() { return &value_; }
    const VARIANT& value() const { return value_; }

  private:
    VARIANT value_;
};

void putProperty(IDispatch* object, std::u16string_view name, const VARIANT& value);
void getProperty(IDispatch* object, std::u16string_view name, OwnedVariant& result);
void callMethod(IDispatch* object, std::u16string_view name);

} // namespace qor::common
