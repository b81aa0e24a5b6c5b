#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <utility>

#include "qor/error_numbers.h"

namespace quillan {

// The classic run-time error numbers the engine raises, from the one shared table.
using qor::kErrApplication;
using qor::kErrDivisionByZero;
using qor::kErrInvalidProcedureCall;
using qor::kErrOverflow;
using qor::kErrSubscriptOutOfRange;
using qor::kErrTypeMismatch;

// Source text carried by the classic run-time errors raised inside the calculator.
inline constexpr const char* kRuntimeErrorSource = "Quillan1";

// A run-time error as a value: number, source and description (UTF-8), thrown as an exception.
struct RuntimeError : std::exception {
    RuntimeError(std::int32_t number, std::string source, std::string description)
        : number(number), source(std::move(source)), description(std::move(description)) {}

    const char* what() const noexcept override { return description.c_str(); }

    std::int32_t number;
    std::string source;
    std::string description;
};

// The usual description of a classic error number ("Overflow" for 6, "Type mismatch" for 13...);
// empty text for a number without one.
std::string classicErrorDescription(std::int32_t number);

// A classic run-time error with its usual description and the calculator's source text.
RuntimeError classicError(std::int32_t number);

// Throws classicError(number).
[[noreturn]] void raiseClassicError(std::int32_t number);

} // namespace quillan
