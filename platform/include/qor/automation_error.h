// A run-time error as a value: number, source and description. Thrown as an exception
// by code behind the library's operations; the interface layer turns it into a failing
// HRESULT plus an error object.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "qor/error_numbers.h"

namespace qor {

struct AutomationError : std::exception {
    std::int32_t number = 0;
    std::u16string source;
    std::u16string description;

    AutomationError(std::int32_t n, std::u16string src, std::u16string desc)
        : number(n), source(std::move(src)), description(std::move(desc)) {}
    const char* what() const noexcept override { return "automation error"; }
};

} // namespace qor
