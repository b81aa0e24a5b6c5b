// A minimal in-process component server: one class whose objects are IDispatch with a
// text default value, a class factory, object/lock counting for DllCanUnloadNow,
// self-registration, and an embedded resource.
#include <dlfcn.h>

#include <atomic>
#include <cstring>
#include <string>

#include "fake_server.h"
#include "qor/registry.h"
#include "qor/runtime.h"

QOR_EMBED_RESOURCE(TESTDATA, greeting, FAKE_GREETING_FILE);

namespace {

std::atomic<long> gLiveObjects{0};
std::atomic<long> gLocks{0};

class FakeObject final : public IDispatch {
  public:
    FakeObject() { ++gLiveObjects; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (ppv == nullptr)
            return E_POINTER;
        if (riid != IID_IUnknown && riid != IID_IDispatch) {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        *ppv = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --refs_;
        if (left == 0)
            delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override {
        return DISP_E_BADINDEX;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result,
                                     EXCEPINFO*, UINT*) override {
        if (id != DISPID_VALUE)
            return DISP_E_MEMBERNOTFOUND;
        if (result != nullptr) {
            result->vt = VT_BSTR;
            result->bstrVal = SysAllocString(kFakeDefaultValue);
        }
        return S_OK;
    }

  private:
    ~FakeObject() { --gLiveObjects; }
    std::atomic<ULONG> refs_{1};
};

class FakeFactory final : public IClassFactory {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (ppv == nullptr)
            return E_POINTER;
        if (riid != IID_IUnknown && riid != IID_IClassFactory) {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        *ppv = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    // The factory is static; its references count as locks so the server stays loaded.
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++gLocks); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--gLocks); }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override {
        if (ppv == nullptr)
            return E_POINTER;
        *ppv = nullptr;
        if (outer != nullptr)
            return CLASS_E_NOAGGREGATION;
        FakeObject* obj = new FakeObject();
        const HRESULT hr = obj->QueryInterface(riid, ppv);
        obj->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        lock ? ++gLocks : --gLocks;
        return S_OK;
    }
};

FakeFactory gFactory;

std::string ownPath() {
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
    return gFactory.QueryInterface(riid, ppv);
}

STDAPI DllCanUnloadNow() {
    return gLiveObjects == 0 && gLocks == 0 ? S_OK : S_FALSE;
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
