// Rules the runtime's own objects share for the arguments and names they are given.
#pragma once

#include <string_view>

#include "qor/runtime.h"

namespace qor::detail {

// An omitted optional argument: absent, or VT_ERROR carrying DISP_E_PARAMNOTFOUND.
bool isMissing(const VARIANT* arg);

// Member names and collection keys compare without regard to case.
bool equalsIgnoreCase(std::u16string_view a, std::u16string_view b);

} // namespace qor::detail
