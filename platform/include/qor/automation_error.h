// A run-time error as a value: number, source and description. Thrown as an exception
// by code behind the library's operations; the interface layer turns it into a failing
// HRESULT plus an error object.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace qor {

struct AutomationError : std::exception {
    std::int32_t number = 0;
    std::u16string source;
    std::u16string description;

    AutomationError(std::int32_t n, std::u16string src, std::u16string desc)
        : number(n), source(std::move(src)), description(std::move(desc)) {}
    const char* what() const noexcept override { return "automation error"; }
};

// The classic run-time numbers.
constexpr std::int32_t kErrInvalidCall = 5;
constexpr std::int32_t kErrOverflow = 6;
constexpr std::int32_t kErrSubscript = 9;
constexpr std::int32_t kErrDivisionByZero = 11;
constexpr std::int32_t kErrTypeMismatch = 13;
constexpr std::int32_t kErrObjectRequired = 424;
constexpr std::int32_t kErrDuplicateKey = 457;
constexpr std::int32_t kErrObjectError = -2147221504; // vbObjectError

} // namespace qor
