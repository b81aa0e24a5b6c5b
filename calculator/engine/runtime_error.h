#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <utility>

namespace quillan {

// The classic run-time error numbers every part of the calculator reports.
inline constexpr std::int32_t kErrInvalidProcedureCall = 5;
inline constexpr std::int32_t kErrOverflow = 6;
inline constexpr std::int32_t kErrSubscriptOutOfRange = 9;
inline constexpr std::int32_t kErrDivisionByZero = 11;
inline constexpr std::int32_t kErrTypeMismatch = 13;
// The calculator's own error number.
inline constexpr std::int32_t kErrApplication = 999999;

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
