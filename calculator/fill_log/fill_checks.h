// What the log accepts: every check runs before anything is written, so bad input stores
// nothing. Each throws BadFill naming the field and the rule.
#pragma once

#include "fill_log/fill_record.h"

#include <string_view>

namespace quillan::filllog {

// `now` is utcNow(), given so that a check is repeatable.
void checkFill(const FillRecord& fill, std::string_view now);
void checkAnalysis(const Analysis& analysis, std::string_view now);

// Well-formed UTF-8: no stray continuation bytes, overlong forms, surrogates or code points
// past U+10FFFF.
bool isUtf8(std::string_view text);

} // namespace quillan::filllog
