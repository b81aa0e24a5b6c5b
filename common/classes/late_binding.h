// Calls on an automation object by member name at call time, as a late-bound client
// does; failures become the run-time errors such a client sees (438 for a missing
// member, the object's own error for an exception it raised...).
#pragma once

#include <string_view>

#include "qor/variant.h"

namespace qor::common {

void putProperty(IDispatch* object, std::u16string_view name, const VARIANT& value);
void getProperty(IDispatch* object, std::u16string_view name, Variant& result);
void callMethod(IDispatch* object, std::u16string_view name);

} // namespace qor::common
