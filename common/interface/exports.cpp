// The four entry points of an in-process component server.
#include <dlfcn.h>

#include <climits>
#include <cstdlib>
#include <string>

#include "class_factory.h"
#include "module_state.h"
#include "qor/runtime.h"
#include "registration.h"

namespace {

// Any address inside this library, to find its file and its resources.
const void* moduleAddress() {
    return reinterpret_cast<const void*>(&moduleAddress);
}

std::string modulePath() {
    Dl_info info{};
    if (dladdr(moduleAddress(), &info) == 0 || info.dli_fname == nullptr)
        return {};
    char resolved[PATH_MAX];
    return realpath(info.dli_fname, resolved) ? std::string(resolved) : std::string(info.dli_fname);
}

std::span<const std::byte> typeLibrary() {
    return qor::findResource(moduleAddress(), "TYPELIB", "1");
}

} // namespace

STDAPI DllCanUnloadNow() {
    return qor::server::moduleLocks.canUnloadNow() ? S_OK : S_FALSE;
}

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) {
    return qor::server::getClassObject(rclsid, riid, ppv);
}

STDAPI DllRegisterServer() {
    const std::string path = modulePath();
    if (path.empty())
        return E_UNEXPECTED;
    return qor::server::registerServer(path, typeLibrary());
}

STDAPI DllUnregisterServer() {
    return qor::server::unregisterServer(typeLibrary());
}
