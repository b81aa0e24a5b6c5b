// Internal: the plain error object that CreateErrorInfo hands out.
#pragma once

#include "qor/runtime.h"

namespace qor::detail {

// An error object with source and description but no run-time number: it answers
// IErrorInfo and ICreateErrorInfo only, as the system's own would, so a reader takes the
// number from the failing HRESULT. Returned with one reference.
ICreateErrorInfo* createPlainErrorInfo();

} // namespace qor::detail
