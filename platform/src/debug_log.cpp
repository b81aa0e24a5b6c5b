#include "qor/debug_log.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace qor {

// Read on every call so a host can switch it on before it loads anything.
bool debugLogEnabled() noexcept {
    const char* value = std::getenv("QOR_DEBUG");
    return value != nullptr && std::strcmp(value, "1") == 0;
}

void debugLog(const char* format, ...) noexcept {
    if (!debugLogEnabled())
        return;
    char line[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    std::fprintf(stderr, "qor: %s\n", line);
}

} // namespace qor
