#include "module_state.h"

#include <atomic>

namespace qor::server {
namespace {
// Atomic because a host may ask DllCanUnloadNow from a thread other than the objects'.
std::atomic<long> liveObjects{0};
std::atomic<long> serverLocks{0};
} // namespace

void objectCreated() noexcept {
    ++liveObjects;
}
void objectDestroyed() noexcept {
    --liveObjects;
}

bool lockServer(bool lock) noexcept {
    if (lock) {
        ++serverLocks;
        return true;
    }
    long held = serverLocks.load();
    while (held > 0)
        if (serverLocks.compare_exchange_weak(held, held - 1))
            return true;
    return false;
}

bool canUnloadNow() noexcept {
    return liveObjects.load() == 0 && serverLocks.load() == 0;
}

} // namespace qor::server
