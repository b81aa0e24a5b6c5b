// The classic texts of the run-time error numbers.
#include "qor/runtime.h"

namespace qor {

std::u16string_view standardDescription(std::int32_t number) {
    switch (number) {
    case kErrInvalidCall:
        return u"Invalid procedure call or argument";
    case kErrOverflow:
        return u"Overflow";
    case 7:
        return u"Out of memory";
    case kErrSubscript:
        return u"Subscript out of range";
    case kErrDivisionByZero:
        return u"Division by zero";
    case kErrTypeMismatch:
        return u"Type mismatch";
    case 53:
        return u"File not found";
    case 91:
        return u"Object variable or With block variable not set";
    case kErrObjectRequired:
        return u"Object required";
    case 429:
        return u"ActiveX component can't create object";
    case 438:
        return u"Object doesn't support this property or method";
    case 449:
        return u"Argument not optional";
    case kErrDuplicateKey:
        return u"This key is already associated with an element of this collection";
    default:
        return u"Application-defined or object-defined error";
    }
}

} // namespace qor
