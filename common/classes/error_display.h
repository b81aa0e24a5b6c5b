// Internal helpers around ShowError: the report text, and the "show and swallow" used by
// operations that never raise to their caller.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "qor/automation_error.h"

namespace qor::common {

// The four report lines joined by CR LF, without a pair after the last.
std::u16string buildErrorText(std::u16string_view module, std::u16string_view procedure,
                              std::int32_t number, std::u16string_view description,
                              std::u16string_view errorCondition);

// Shows err through ShowError with an empty condition; a report that cannot be shown
// is dropped, since these callers report success whatever happens.
void reportSwallowed(std::u16string_view module, std::u16string_view procedure,
                     const AutomationError& err);

} // namespace qor::common
