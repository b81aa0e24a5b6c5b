// Exported C functions must not let a C++ exception reach their caller, who may not be
// C++ at all: a failure inside becomes a status.
#pragma once

#include <new>

namespace qor::detail {

template <class Status, class Body>
Status withoutExceptions(Status outOfMemory, Status otherFailure, Body&& body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return outOfMemory;
    } catch (...) {
        return otherFailure;
    }
}

} // namespace qor::detail
