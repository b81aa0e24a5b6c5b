#include "registration.h"

#include <cstdio>
#include <functional>
#include <vector>

#include "QorCommon1.h"
#include "msft_reader.h"
#include "qor/registry.h"
#include "qor/runtime.h"

namespace qor::server {
namespace {

constexpr HRESULT SELFREG_E_TYPELIB = static_cast<HRESULT>(0x80040200u);
constexpr HRESULT SELFREG_E_CLASS = static_cast<HRESULT>(0x80040201u);

// The standard OLE Automation marshaller, which proxies dual interfaces from a type library.
constexpr const char* kAutomationMarshaller = "{00020424-0000-0000-C000-000000000046}";
constexpr const char* kThreadingModel = "Apartment";

struct InterfaceEntry {
    const IID& iid;
    const char* name;
};

struct ClassEntry {
    const CLSID& clsid;
    const char* name; // the coclass in the type library; the ProgID is "<library>.<name>"
    std::vector<InterfaceEntry> interfaces;
};

const std::vector<ClassEntry>& classes() {
    static const std::vector<ClassEntry> all = {
        {CLSID_QorFile, "QorFile", {{IID__QorFile, "_QorFile"}, {IID_QorFile___v0, "_QorFile"}}},
        {CLSID_Common, "Common", {{IID__Common, "_Common"}}},
        {CLSID_GeoSupport, "GeoSupport", {{IID__GeoSupport, "_GeoSupport"}}},
    };
    return all;
}

std::string braced(REFGUID guid) {
    OLECHAR text[40] = {};
    StringFromGUID2(guid, text, 40);
    return toUtf8(text);
}

std::string hex(unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, "%x", value);
    return text;
}

// Creates `key` under the classes root and sets one text value (nullptr: the default one).
bool setText(const std::string& key, const char* valueName, const std::string& text) {
    HKEY handle = nullptr;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle,
                        nullptr) != ERROR_SUCCESS)
        return false;
    const LSTATUS status =
        RegSetValueExA(handle, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>(text.size() + 1));
    RegCloseKey(handle);
    return status == ERROR_SUCCESS;
}

bool deleteKey(const std::string& key) {
    const LSTATUS status = RegDeleteKeyA(HKEY_CLASSES_ROOT, key.c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

struct Identity {
    typelib::Library lib;
    std::string libid;
    std::string version;
};

bool readIdentity(std::span<const std::byte> typeLibrary, Identity& out) {
    try {
        out.lib = typelib::readLibrary(typeLibrary);
    } catch (const typelib::FormatError&) {
        return false;
    }
    out.libid = braced(out.lib.libid);
    out.version = hex(out.lib.majorVersion) + "." + hex(out.lib.minorVersion);
    return true;
}

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

// Runs `body` as one registry transaction: all its keys are written together, or, when it
// fails, none. A registry that cannot be read or written fails the whole step.
HRESULT inOneTransaction(const std::function<HRESULT()>& body) {
    struct Context {
        const std::function<HRESULT()>& body;
        HRESULT result;
    } context{body, S_OK};
    const LSTATUS status = QorRegRunTransaction(
        [](void* raw) -> LSTATUS {
            auto& c = *static_cast<Context*>(raw);
            c.result = c.body();
            return SUCCEEDED(c.result) ? ERROR_SUCCESS : ERROR_CANTWRITE;
        },
        &context);
    if (FAILED(context.result))
        return context.result;
    return status == ERROR_SUCCESS ? S_OK : SELFREG_E_CLASS;
}

HRESULT writeRegistration(const std::string& modulePath, const Identity& id) {
    const std::string typeLibKey = "TypeLib\\" + id.libid + "\\" + id.version;
    bool ok = setText(typeLibKey, nullptr, id.lib.name) &&
              setText(typeLibKey + "\\" + hex(id.lib.lcid) + "\\win32", nullptr, modulePath) &&
              setText(typeLibKey + "\\FLAGS", nullptr, "0") &&
              setText(typeLibKey + "\\HELPDIR", nullptr, folderOf(modulePath));
    if (!ok)
        return SELFREG_E_TYPELIB;

    for (const ClassEntry& entry : classes()) {
        const typelib::TypeInfo* coclass = id.lib.find(entry.name);
        if (coclass == nullptr)
            return SELFREG_E_TYPELIB;
        const std::string progId = id.lib.name + "." + entry.name;
        const std::string clsidKey = "CLSID\\" + braced(entry.clsid);
        ok = setText(clsidKey, nullptr, progId) &&
             setText(clsidKey + "\\InprocServer32", nullptr, modulePath) &&
             setText(clsidKey + "\\InprocServer32", "ThreadingModel", kThreadingModel) &&
             setText(clsidKey + "\\ProgID", nullptr, progId) &&
             setText(clsidKey + "\\TypeLib", nullptr, id.libid) &&
             setText(clsidKey + "\\Version", nullptr,
                     hex(coclass->majorVersion) + "." + hex(coclass->minorVersion)) &&
             setText(progId, nullptr, progId) &&
             setText(progId + "\\CLSID", nullptr, braced(entry.clsid));
        for (const InterfaceEntry& itf : entry.interfaces) {
            const std::string key = "Interface\\" + braced(itf.iid);
            ok = ok && setText(key, nullptr, itf.name) &&
                 setText(key + "\\ProxyStubClsid", nullptr, kAutomationMarshaller) &&
                 setText(key + "\\ProxyStubClsid32", nullptr, kAutomationMarshaller) &&
                 setText(key + "\\TypeLib", nullptr, id.libid) &&
                 setText(key + "\\TypeLib", "Version", id.version);
        }
        if (!ok)
            return SELFREG_E_CLASS;
    }
    return S_OK;
}

HRESULT removeRegistration(const Identity& id) {
    bool ok = true;
    for (const ClassEntry& entry : classes()) {
        ok = deleteKey("CLSID\\" + braced(entry.clsid)) && ok;
        ok = deleteKey(id.lib.name + "." + entry.name) && ok;
        for (const InterfaceEntry& itf : entry.interfaces)
            ok = deleteKey("Interface\\" + braced(itf.iid)) && ok;
    }
    if (!ok)
        return SELFREG_E_CLASS;
    // The whole LIBID key: only this library registers under its own identifier.
    return deleteKey("TypeLib\\" + id.libid) ? S_OK : SELFREG_E_TYPELIB;
}

} // namespace

HRESULT registerServer(const std::string& modulePath, std::span<const std::byte> typeLibrary) {
    Identity id;
    if (!readIdentity(typeLibrary, id))
        return SELFREG_E_TYPELIB;
    return inOneTransaction([&] { return writeRegistration(modulePath, id); });
}

HRESULT unregisterServer(std::span<const std::byte> typeLibrary) {
    Identity id;
    if (!readIdentity(typeLibrary, id))
        return SELFREG_E_TYPELIB;
    return inOneTransaction([&] { return removeRegistration(id); });
}

} // namespace qor::server
