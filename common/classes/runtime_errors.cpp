#include "runtime_errors.h"

#include "qor/runtime.h"

namespace qor::common {
void raiseRuntime(std::int32_t number) {
    throw AutomationError(number, std::u16string(kLibrarySource),
                          std::u16string(standardDescription(number)));
}

std::int16_t toInteger16(std::size_t count) {
    if (count > 32767)
        raiseRuntime(kErrOverflow);
    return static_cast<std::int16_t>(count);
}

AutomationError prefixed(AutomationError err, std::u16string_view prefix) {
    err.source.insert(0, prefix);
    return err;
}

AutomationError outOfMemory() {
    return AutomationError(kErrOutOfMemory, std::u16string(kLibrarySource),
                           std::u16string(standardDescription(kErrOutOfMemory)));
}

} // namespace qor::common
