// The classic run-time error numbers and their texts, shared by the engine, the runtime,
// the library and the window. Header-only and standard C++ only, so the engine can use it
// without linking the runtime.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace qor {

inline constexpr std::int32_t kErrInvalidProcedureCall = 5;
inline constexpr std::int32_t kErrOverflow = 6;
inline constexpr std::int32_t kErrOutOfMemory = 7;
inline constexpr std::int32_t kErrSubscriptOutOfRange = 9;
inline constexpr std::int32_t kErrDivisionByZero = 11;
inline constexpr std::int32_t kErrTypeMismatch = 13;
inline constexpr std::int32_t kErrLoadingDll = 48;
inline constexpr std::int32_t kErrFileNotFound = 53;
inline constexpr std::int32_t kErrDeviceIO = 57;
inline constexpr std::int32_t kErrPathFileAccess = 75;
inline constexpr std::int32_t kErrObjectNotSet = 91;
inline constexpr std::int32_t kErrObjectRequired = 424;
inline constexpr std::int32_t kErrCannotCreateObject = 429;
inline constexpr std::int32_t kErrNotSupported = 438;
inline constexpr std::int32_t kErrNamedArgNotFound = 448;
inline constexpr std::int32_t kErrArgumentNotOptional = 449;
inline constexpr std::int32_t kErrWrongArgCount = 450;
inline constexpr std::int32_t kErrDuplicateKey = 457;
inline constexpr std::int32_t kErrPrinter = 482;
// The common dialog's "Cancel was selected".
inline constexpr std::int32_t kErrCancelSelected = 32755;
// The calculator's and the library's own failures (invalid file name, invalid top mix).
inline constexpr std::int32_t kErrApplication = 999999;
// Where the numbers of errors defined by objects begin (vbObjectError).
inline constexpr std::int32_t kErrObjectError = -2147221504;

struct ClassicError {
    std::int32_t number;
    std::string_view text;
};

inline constexpr std::array kClassicErrors = {
    ClassicError{kErrInvalidProcedureCall, "Invalid procedure call or argument"},
    ClassicError{kErrOverflow, "Overflow"},
    ClassicError{kErrOutOfMemory, "Out of memory"},
    ClassicError{kErrSubscriptOutOfRange, "Subscript out of range"},
    ClassicError{kErrDivisionByZero, "Division by zero"},
    ClassicError{kErrTypeMismatch, "Type mismatch"},
    ClassicError{kErrLoadingDll, "Error in loading DLL"},
    ClassicError{kErrFileNotFound, "File not found"},
    ClassicError{kErrDeviceIO, "Device I/O error"},
    ClassicError{kErrPathFileAccess, "Path/File access error"},
    ClassicError{kErrObjectNotSet, "Object variable or With block variable not set"},
    ClassicError{kErrObjectRequired, "Object required"},
    ClassicError{kErrCannotCreateObject, "ActiveX component can't create object"},
    ClassicError{kErrNotSupported, "Object doesn't support this property or method"},
    ClassicError{kErrNamedArgNotFound, "Named argument not found"},
    ClassicError{kErrArgumentNotOptional, "Argument not optional"},
    ClassicError{kErrWrongArgCount, "Wrong number of arguments or invalid property assignment"},
    ClassicError{kErrDuplicateKey,
                 "This key is already associated with an element of this collection"},
    ClassicError{kErrPrinter, "Printer error"},
    ClassicError{kErrCancelSelected, "Cancel was selected."},
};

// What a number without a classic text reads as.
inline constexpr std::string_view kApplicationDefinedText =
    "Application-defined or object-defined error";

// The classic text of `number`; empty when it has none.
constexpr std::string_view classicErrorText(std::int32_t number) {
    for (const ClassicError& e : kClassicErrors)
        if (e.number == number)
            return e.text;
    return {};
}

} // namespace qor
