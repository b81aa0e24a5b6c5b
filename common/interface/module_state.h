// What DllCanUnloadNow looks at: this module's live objects (class factories included)
// and LockServer locks.
#pragma once

#include "qor/com_object.h"

namespace qor::server {

extern ModuleLocks moduleLocks;

} // namespace qor::server
