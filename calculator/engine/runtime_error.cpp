#include "engine/runtime_error.h"

namespace quillan {

std::string classicErrorDescription(std::int32_t number) {
    switch (number) {
    case kErrInvalidProcedureCall:
        return "Invalid procedure call or argument";
    case kErrOverflow:
        return "Overflow";
    case kErrSubscriptOutOfRange:
        return "Subscript out of range";
    case kErrDivisionByZero:
        return "Division by zero";
    case kErrTypeMismatch:
        return "Type mismatch";
    default:
        return {};
    }
}

RuntimeError classicError(std::int32_t number) {
    return RuntimeError(number, kRuntimeErrorSource, classicErrorDescription(number));
}

void raiseClassicError(std::int32_t number) {
    throw classicError(number);
}

} // namespace quillan
