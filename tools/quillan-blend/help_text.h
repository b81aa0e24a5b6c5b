// The texts quillan-blend prints about itself: --help, the usage hint and --version.
#pragma once

#include <string_view>

namespace quillan::blend {

extern const std::string_view kHelpText;      // man-style, for --help
extern const std::string_view kUsageHint;     // the line after a bad-input message
extern const std::string_view kBestUsageHint; // the same for the best-mix command
extern const std::string_view kVersionText;

} // namespace quillan::blend
