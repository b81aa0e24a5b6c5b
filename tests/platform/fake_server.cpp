// A minimal in-process component server: one class whose objects are IDispatch with a
// text default value, a class factory, object/lock counting for DllCanUnloadNow,
// self-registration, and an embedded resource.
#include <dlfcn.h>

#include <cstring>
#include <string>

#include "fake_server.h"
#include "qor/dispatch_object.h"
#include "qor/registry.h"
#include "qor/runtime.h"

QOR_EMBED_RESOURCE(TESTDATA, greeting, FAKE_GREETING_FILE);

namespace {

qor::ModuleLocks gModule;

// An IDispatch whose only member is its text default value.
class FakeObject final
    : public qor::DispatchObject<FakeObject, qor::Implements<IDispatch, IID_IDispatch>>,
      private qor::CountedInModule<gModule> {
  public:
    static const qor::DispatchTable& dispatchTable() {
        static const qor::DispatchTable table({
            {u"Value", DISPID_VALUE, {}, VT_BSTR, &readDefault},
        });
        return table;
    }

  private:
    static HRESULT readDefault(void*, VARIANT*, VARIANT* result) {
        result->bstrVal = SysAllocString(kFakeDefaultValue);
        return S_OK;
    }
};

[[maybe_unused]] std::string ownPath() {
    Dl_info info{};
    ::dladdr(reinterpret_cast<void*>(&ownPath), &info);
    return info.dli_fname;
}

[[maybe_unused]] LSTATUS setDefault(const std::string& subKey, const std::string& text) {
    HKEY key = nullptr;
    LSTATUS status = RegCreateKeyExA(HKEY_CLASSES_ROOT, subKey.c_str(), 0, nullptr, 0, KEY_WRITE,
                                     nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS)
        return status;
    status = RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                            static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
    return status;
}

} // namespace

extern "C" __attribute__((visibility("default"))) const void* fake_server_anchor() {
    return reinterpret_cast<const void*>(&fake_server_anchor);
}

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) {
    if (ppv == nullptr)
        return E_POINTER;
    *ppv = nullptr;
    if (rclsid != kFakeClsid)
        return CLASS_E_CLASSNOTAVAILABLE;
    return qor::ClassFactory<FakeObject, gModule>::create(riid, ppv);
}

STDAPI DllCanUnloadNow() {
    return gModule.canUnloadNow() ? S_OK : S_FALSE;
}

STDAPI DllRegisterServer() {
#ifdef FAKE_REGISTRATION_FAILS
    return E_ACCESSDENIED;
#else
    const std::string clsidKey = std::string("CLSID\\") + kFakeClsidText;
    if (setDefault(clsidKey + "\\InprocServer32", ownPath()) != ERROR_SUCCESS ||
        setDefault(std::string(kFakeProgId) + "\\CLSID", kFakeClsidText) != ERROR_SUCCESS)
        return E_FAIL;
    return S_OK;
#endif
}

STDAPI DllUnregisterServer() {
    RegDeleteKeyA(HKEY_CLASSES_ROOT, (std::string("CLSID\\") + kFakeClsidText).c_str());
    RegDeleteKeyA(HKEY_CLASSES_ROOT, kFakeProgId);
    return S_OK;
}
