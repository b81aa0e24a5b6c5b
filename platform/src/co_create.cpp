// Class creation: a CLSID is looked up under HKEY_CLASSES_ROOT\CLSID, its in-process
// server loaded once with dlopen, and asked for the class factory through its
// DllGetClassObject. Servers stay loaded until CoFreeUnusedLibraries has found them idle
// for a whole grace period and no thread is between loading one and receiving its class
// factory.
#include <dlfcn.h>

#include <chrono>
#include <functional>
#include <map>
#include <mutex>
#include <optional>

#include "c_boundary.h"
#include "qor/debug_log.h"
#include "qor/registry.h"
#include "qor/runtime.h"
#include "registry_store.h"

namespace {

struct Server {
    void* handle;
    PFN_DllGetClassObject getClassObject;
    PFN_DllCanUnloadNow canUnloadNow; // may be absent: then the server stays loaded
    // Threads that loaded it and have not yet got its class factory: the server's own
    // counts cannot keep it loaded until then.
    int pendingRequests = 0;
    // When DllCanUnloadNow first said S_OK with no answer since saying otherwise. A
    // server's Release still runs its last instructions after its count reaches zero,
    // which no runtime can see; unloading only a server idle for a whole grace period
    // keeps those from running in unmapped code.
    std::optional<std::chrono::steady_clock::time_point> idleSince;
};

// The grace period of CoFreeUnusedLibraries, and of CoFreeUnusedLibrariesEx(INFINITE):
// ten minutes, as the classic runtime has for threaded programs. A Release's tail is
// short, but a thread can be kept off the processor for long on a loaded machine, and
// an idle library kept mapped costs only memory.
constexpr std::chrono::minutes kDefaultUnloadDelay(10);
constexpr DWORD kDefaultDelayAsked = 0xFFFFFFFF; // INFINITE

std::mutex gServersMutex;
std::map<std::string, Server> gServers; // by library path

// The default value of HKEY_CLASSES_ROOT\<subKey> as text, or an error status.
LSTATUS readDefaultText(const std::string& subKey, std::string& text) {
    HKEY key = nullptr;
    LSTATUS status = RegOpenKeyExA(HKEY_CLASSES_ROOT, subKey.c_str(), 0, KEY_READ, &key);
    if (status != ERROR_SUCCESS) {
        qor::debugLog("registry: HKEY_CLASSES_ROOT\\%s: cannot open (status %ld)", subKey.c_str(),
                      static_cast<long>(status));
        return status;
    }
    DWORD type = REG_NONE;
    DWORD size = 0;
    status = RegQueryValueExA(key, nullptr, nullptr, &type, nullptr, &size);
    std::string data(size, '\0');
    if (status == ERROR_SUCCESS && size > 0)
        status = RegQueryValueExA(key, nullptr, nullptr, &type,
                                  reinterpret_cast<BYTE*>(data.data()), &size);
    RegCloseKey(key);
    if (status == ERROR_SUCCESS && type != REG_SZ)
        status = ERROR_FILE_NOT_FOUND;
    if (status != ERROR_SUCCESS) {
        qor::debugLog("registry: HKEY_CLASSES_ROOT\\%s: no text (status %ld)", subKey.c_str(),
                      static_cast<long>(status));
        return status;
    }
    data.resize(size);
    while (!data.empty() && data.back() == '\0')
        data.pop_back();
    text = std::move(data);
    qor::debugLog("registry: HKEY_CLASSES_ROOT\\%s = \"%s\"", subKey.c_str(), text.c_str());
    return ERROR_SUCCESS;
}

// A registry that cannot be read is not the same as a class that is not registered: the
// error object says why it could not be read.
HRESULT registryFailure(LSTATUS status, HRESULT notFound) {
    if (status == ERROR_FILE_NOT_FOUND || status == ERROR_KEY_DELETED)
        return notFound;
    const std::string& why = qor::registry::lastFault();
    const std::string text =
        "The registry cannot be read: " + (why.empty() ? "status " + std::to_string(status) : why) +
        ".";
    qor::debugLog("create: %s", text.c_str());
    return qor::raiseErrorInfo(
        qor::AutomationError(REGDB_E_READREGDB, u"QorPlatform", qor::fromUtf8(text)));
}

std::string guidText(REFGUID guid) {
    OLECHAR wide[39];
    StringFromGUID2(guid, wide, 39);
    return std::string(wide, wide + 38);
}

// A failure whose reason only the loader knows: the thread's error object carries its text.
HRESULT loaderFailure(HRESULT hr, const char* reason) {
    const std::string text = reason != nullptr ? reason : "unknown loader failure";
    qor::debugLog("create: %s", text.c_str());
    return qor::raiseErrorInfo(qor::AutomationError(hr, u"QorPlatform", qor::fromUtf8(text)));
}

// Loads the server (once) and counts this request as pending until finishRequest().
HRESULT loadServer(const std::string& path, Server& out) {
    const std::lock_guard<std::mutex> guard(gServersMutex);
    const auto found = gServers.find(path);
    if (found != gServers.end()) {
        ++found->second.pendingRequests;
        found->second.idleSince.reset();
        out = found->second;
        return S_OK;
    }
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr)
        return loaderFailure(CO_E_DLLNOTFOUND, ::dlerror());
    auto* getClassObject =
        reinterpret_cast<PFN_DllGetClassObject>(::dlsym(handle, "DllGetClassObject"));
    if (getClassObject == nullptr) {
        const HRESULT hr = loaderFailure(CO_E_ERRORINDLL, ::dlerror());
        ::dlclose(handle);
        return hr;
    }
    qor::debugLog("create: loaded %s", path.c_str());
    auto* canUnloadNow = reinterpret_cast<PFN_DllCanUnloadNow>(::dlsym(handle, "DllCanUnloadNow"));
    out = Server{handle, getClassObject, canUnloadNow, 1, std::nullopt};
    gServers.emplace(path, out);
    return S_OK;
}

void finishRequest(const std::string& path) {
    const std::lock_guard<std::mutex> guard(gServersMutex);
    const auto found = gServers.find(path);
    if (found != gServers.end())
        --found->second.pendingRequests;
}

HRESULT getClassObject(REFCLSID rclsid, DWORD dwClsContext, REFIID riid, void** ppv) {
    if (ppv == nullptr)
        return E_POINTER;
    *ppv = nullptr;
    if ((dwClsContext & CLSCTX_INPROC_SERVER) == 0)
        return REGDB_E_CLASSNOTREG; // only in-process servers
    SetErrorInfo(0, nullptr);       // what a failure reports is this call's, not an earlier one's
    const std::string clsid = guidText(rclsid);
    qor::debugLog("create: class %s", clsid.c_str());
    std::string path;
    const LSTATUS status = readDefaultText("CLSID\\" + clsid + "\\InprocServer32", path);
    if (status != ERROR_SUCCESS)
        return registryFailure(status, REGDB_E_CLASSNOTREG);
    if (path.empty())
        return REGDB_E_CLASSNOTREG;
    Server server{};
    const HRESULT hr = loadServer(path, server);
    if (FAILED(hr))
        return hr;
    const HRESULT got = server.getClassObject(rclsid, riid, ppv);
    finishRequest(path); // a factory, if we got one, now keeps the server loaded
    if (FAILED(got))
        qor::debugLog("create: %s: DllGetClassObject failed (0x%08X)", clsid.c_str(),
                      static_cast<unsigned>(got));
    return got;
}

HRESULT clsidFromProgId(LPCOLESTR lpszProgID, CLSID* lpclsid) {
    if (lpszProgID == nullptr || lpclsid == nullptr)
        return E_INVALIDARG;
    const std::string progId = qor::toUtf8(lpszProgID);
    if (progId.empty() || progId.find('\\') != std::string::npos)
        return CO_E_CLASSSTRING;
    std::string text;
    const LSTATUS status = readDefaultText(progId + "\\CLSID", text);
    if (status != ERROR_SUCCESS)
        return registryFailure(status, CO_E_CLASSSTRING);
    const std::u16string wide = qor::fromUtf8(text);
    return CLSIDFromString(wide.c_str(), lpclsid) == S_OK ? S_OK : CO_E_CLASSSTRING;
}

HRESULT guardedHresult(const std::function<HRESULT()>& body) noexcept {
    return qor::detail::withoutExceptions(E_OUTOFMEMORY, E_UNEXPECTED, body);
}

} // namespace

QOR_API HRESULT CoGetClassObject(REFCLSID rclsid, DWORD dwClsContext, void*, REFIID riid,
                                 void** ppv) {
    return guardedHresult([&] { return getClassObject(rclsid, dwClsContext, riid, ppv); });
}

QOR_API HRESULT CoCreateInstance(REFCLSID rclsid, IUnknown* pUnkOuter, DWORD dwClsContext,
                                 REFIID riid, void** ppv) {
    if (ppv == nullptr)
        return E_POINTER;
    *ppv = nullptr;
    if (pUnkOuter != nullptr)
        return CLASS_E_NOAGGREGATION; // no server here supports aggregation
    IClassFactory* factory = nullptr;
    HRESULT hr = CoGetClassObject(rclsid, dwClsContext, nullptr, IID_IClassFactory,
                                  reinterpret_cast<void**>(&factory));
    if (FAILED(hr))
        return hr;
    hr = factory->CreateInstance(nullptr, riid, ppv);
    factory->Release();
    return hr;
}

QOR_API HRESULT CLSIDFromProgID(LPCOLESTR lpszProgID, CLSID* lpclsid) {
    return guardedHresult([&] { return clsidFromProgId(lpszProgID, lpclsid); });
}

// Two phases: a server is noted when it first says it can be unloaded, and unloaded only
// when it still says so once the delay has passed since. A delay of 0 unloads at once.
QOR_API void CoFreeUnusedLibrariesEx(DWORD dwUnloadDelay, DWORD) {
    const auto now = std::chrono::steady_clock::now();
    const std::chrono::steady_clock::duration grace =
        dwUnloadDelay == kDefaultDelayAsked
            ? std::chrono::duration_cast<std::chrono::steady_clock::duration>(kDefaultUnloadDelay)
            : std::chrono::milliseconds(dwUnloadDelay);
    const std::lock_guard<std::mutex> guard(gServersMutex);
    for (auto it = gServers.begin(); it != gServers.end();) {
        Server& server = it->second;
        const bool idle = server.pendingRequests == 0 && server.canUnloadNow != nullptr &&
                          server.canUnloadNow() == S_OK;
        if (!idle) {
            server.idleSince.reset();
        } else if (!server.idleSince) {
            server.idleSince = now;
        }
        if (idle && now - *server.idleSince >= grace) {
            ::dlclose(server.handle);
            it = gServers.erase(it);
        } else {
            ++it;
        }
    }
}

QOR_API void CoFreeUnusedLibraries() {
    CoFreeUnusedLibrariesEx(kDefaultDelayAsked, 0);
}
