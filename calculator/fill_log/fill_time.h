// The log's dates and times: UTC text that sorts as it reads.
#pragma once

#include <string>
#include <string_view>

namespace quillan::filllog {

// "YYYY-MM-DDTHH:MM:SSZ", now.
std::string utcNow();

// Real calendar dates and times in the two forms, nothing else.
bool isDate(std::string_view text);      // YYYY-MM-DD
bool isTimestamp(std::string_view text); // YYYY-MM-DDTHH:MM:SSZ

} // namespace quillan::filllog
