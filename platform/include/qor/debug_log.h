// Diagnostics for whoever wonders why a class will not load or a late-bound call fails:
// with QOR_DEBUG=1 in the environment, the runtime writes one line per event to stderr.
#pragma once

#include "qor/com_api.h"

namespace qor {

QOR_CPP_API bool debugLogEnabled() noexcept;

// printf-style; a no-op unless QOR_DEBUG is "1". Each line starts with "qor: ".
QOR_CPP_API void debugLog(const char* format, ...) noexcept __attribute__((format(printf, 1, 2)));

} // namespace qor
