// The run-time failures the library's operations raise themselves (invalid call,
// overflow, type mismatch...), with the classic numbers and texts, and the re-raise
// that puts an operation's own source prefix in front of a failure.
#pragma once

#include <cstdint>
#include <new>
#include <string>
#include <string_view>

#include "qor/automation_error.h"

namespace qor::common {

// The source a run-time failure inside the library carries before any re-raise.
inline constexpr std::u16string_view kLibrarySource = u"QorCommon1";

// A run-time failure with its classic description.
[[noreturn]] void raiseRuntime(std::int32_t number);

// A length or position as the classic 16-bit Integer: overflow (6) above 32767.
std::int16_t toInteger16(std::size_t count);

// Runs body; any failure leaves as an AutomationError with `prefix` in front of its
// source (out of memory becomes error 7 first); number and description stay.
AutomationError prefixed(AutomationError err, std::u16string_view prefix);
AutomationError outOfMemory();

template <typename Body>
auto withSourcePrefix(std::u16string_view prefix, Body&& body) -> decltype(body()) {
    try {
        return body();
    } catch (const AutomationError& err) {
        throw prefixed(err, prefix);
    } catch (const std::bad_alloc&) {
        throw prefixed(outOfMemory(), prefix);
    }
}

} // namespace qor::common
