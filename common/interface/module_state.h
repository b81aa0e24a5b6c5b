// What DllCanUnloadNow looks at: the number of live objects (class factories included)
// and of LockServer locks.
#pragma once

namespace qor::server {

void objectCreated() noexcept;
void objectDestroyed() noexcept;
// Returns false when asked to release a lock that is not held.
bool lockServer(bool lock) noexcept;
bool canUnloadNow() noexcept;

} // namespace qor::server
