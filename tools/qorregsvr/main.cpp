// qorregsvr [-u] PATH.so: loads a component server and calls its DllRegisterServer (or,
// with -u, DllUnregisterServer), saying what happened. Exit status: 0 success, 1 usage,
// 2 the library would not load, 3 it lacks the entry point, 4 the entry point failed.
#include <dlfcn.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "qor/com_types.h"

namespace {

enum ExitCode { kSuccess = 0, kUsage = 1, kLoadFailed = 2, kNoEntryPoint = 3, kCallFailed = 4 };

int usage() {
    std::fprintf(stderr,
                 "usage: qorregsvr [-u] PATH.so\n"
                 "  Calls DllRegisterServer in the library, or DllUnregisterServer with -u.\n");
    return kUsage;
}

} // namespace

int main(int argc, char** argv) {
    bool unregister = false;
    const char* given = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-u") == 0 && !unregister && given == nullptr)
            unregister = true;
        else if (given == nullptr && argv[i][0] != '-')
            given = argv[i];
        else
            return usage();
    }
    if (given == nullptr)
        return usage();

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
