#include "engine/runtime_error.h"

namespace quillan {

std::string classicErrorDescription(std::int32_t number) {
    return std::string(qor::classicErrorText(number));
}

RuntimeError classicError(std::int32_t number) {
    return RuntimeError(number, kRuntimeErrorSource, classicErrorDescription(number));
}

void raiseClassicError(std::int32_t number) {
    throw classicError(number);
}

} // namespace quillan
