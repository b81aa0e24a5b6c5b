// A component client built from the installed development files alone (pkg-config): it
// creates QorCommon1.Common by programmatic name and prints the file of the library that
// served it, so the install test can tell which registration a lookup found.
#include <dlfcn.h>

#include <cstdio>

#define QORCOMMON1_DEFINE_GUIDS
#include "QorCommon1.h"
#include "qor/com_api.h"

int main() {
    CLSID clsid{};
    if (FAILED(CLSIDFromProgID(u"QorCommon1.Common", &clsid))) {
        std::fprintf(stderr, "QorCommon1.Common is not registered\n");
        return 1;
    }
    _Common* common = nullptr;
    const HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID__Common,
                                        reinterpret_cast<void**>(&common));
    if (FAILED(hr) || common == nullptr) {
        std::fprintf(stderr, "creating QorCommon1.Common failed: 0x%08x\n",
                     static_cast<unsigned>(hr));
        return 1;
    }
    // The object's first word is its interface table, which lives in the serving library.
    Dl_info where{};
    const int found = ::dladdr(*reinterpret_cast<void**>(common), &where);
    common->Release();
    if (found == 0 || where.dli_fname == nullptr) {
        std::fprintf(stderr, "the serving library is unknown\n");
        return 1;
    }
    std::printf("%s\n", where.dli_fname);
    return 0;
}
