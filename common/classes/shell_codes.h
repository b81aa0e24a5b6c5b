// The texts StartDoc answers for the classic shell's result codes.
#pragma once

#include <string_view>

namespace qor::common {

// "" for success (every code above 32), else the code's message.
std::u16string_view shellCodeText(int code);

} // namespace qor::common
