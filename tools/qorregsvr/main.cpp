// qorregsvr [--system] [-u] PATH.so: loads a component server and calls its
// DllRegisterServer (or, with -u, DllUnregisterServer), saying what happened; --system
// works on the registry of all users instead of the caller's own. Exit status: 0 success,
// 1 usage, 2 the library would not load, 3 it lacks the entry point, 4 the entry point
// failed, 5 the system registry is not writable by the caller.
#include <dlfcn.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "qor/com_types.h"
#include "system_registry.h"

namespace {

enum ExitCode {
    kSuccess = 0,
    kUsage = 1,
    kLoadFailed = 2,
    kNoEntryPoint = 3,
    kCallFailed = 4,
    kSystemNotWritable = 5
};

int usage() {
    std::fprintf(stderr,
                 "usage: qorregsvr [--system] [-u] PATH.so\n"
                 "  Calls DllRegisterServer in the library, or DllUnregisterServer with -u.\n"
                 "  --system: the registry of all users, in the first folder of XDG_DATA_DIRS\n"
                 "  (default /usr/local/share), instead of the caller's own.\n");
    return kUsage;
}

} // namespace

int main(int argc, char** argv) {
    bool unregister = false;
    bool system = false;
    const char* given = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-u") == 0 && !unregister && given == nullptr)
            unregister = true;
        else if (std::strcmp(argv[i], "--system") == 0 && !system && given == nullptr)
            system = true;
        else if (given == nullptr && argv[i][0] != '-')
            given = argv[i];
        else
            return usage();
    }
    if (given == nullptr)
        return usage();

    const std::string dataDir = system ? qorregsvr::systemDataDir() : std::string();
    if (system) {
        std::string why;
        if (!qorregsvr::prepareSystemFolder(dataDir, why)) {
            std::fprintf(stderr, "qorregsvr: %s.\n", why.c_str());
            return kSystemNotWritable;
        }
        qorregsvr::writeToSystemRegistry(dataDir);
    }

    // A full path, so the library is taken from where the user points rather than searched
    // for along the library path, and registers itself under its real location.
    char resolved[PATH_MAX];
    if (::realpath(given, resolved) == nullptr) {
        std::fprintf(stderr, "The module \"%s\" failed to load: %s.\n", given,
                     std::strerror(errno));
        return kLoadFailed;
    }
    void* module = ::dlopen(resolved, RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
        std::fprintf(stderr, "The module \"%s\" failed to load: %s.\n", resolved, ::dlerror());
        return kLoadFailed;
    }
    const char* entry = unregister ? "DllUnregisterServer" : "DllRegisterServer";
    auto* call = reinterpret_cast<HRESULT (*)()>(::dlsym(module, entry));
    if (call == nullptr) {
        std::fprintf(stderr, "The module \"%s\" was loaded but the entry-point %s was not found.\n",
                     resolved, entry);
        return kNoEntryPoint;
    }
    const HRESULT hr = call();
    if (FAILED(hr)) {
        std::fprintf(stderr, "%s in %s failed. Return code was: 0x%08X\n", entry, resolved,
                     static_cast<unsigned>(hr));
        return kCallFailed;
    }
    std::printf("%s in %s succeeded.\n", entry, resolved);
    return kSuccess;
}
