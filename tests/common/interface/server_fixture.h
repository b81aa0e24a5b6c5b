// The library as a client sees it: loaded with dlopen, reached only through its four
// exports and the interfaces of QorCommon1.h.
#pragma once

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "QorCommon1.h"
#include "qor/runtime.h"

struct LoadedServer {
    void* handle = nullptr;
    PFN_DllGetClassObject getClassObject = nullptr;
    PFN_DllCanUnloadNow canUnloadNow = nullptr;
    PFN_DllRegisterServer registerServer = nullptr;
    PFN_DllUnregisterServer unregisterServer = nullptr;

    LoadedServer() {
        handle = ::dlopen(QORCOMMON1_PATH, RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr)
            return;
        getClassObject =
            reinterpret_cast<PFN_DllGetClassObject>(::dlsym(handle, "DllGetClassObject"));
        canUnloadNow = reinterpret_cast<PFN_DllCanUnloadNow>(::dlsym(handle, "DllCanUnloadNow"));
        registerServer =
            reinterpret_cast<PFN_DllRegisterServer>(::dlsym(handle, "DllRegisterServer"));
        unregisterServer =
            reinterpret_cast<PFN_DllUnregisterServer>(::dlsym(handle, "DllUnregisterServer"));
    }
    ~LoadedServer() {
        if (handle)
            ::dlclose(handle);
    }
    LoadedServer(const LoadedServer&) = delete;
    LoadedServer& operator=(const LoadedServer&) = delete;
};

// Releases a COM pointer at scope end.
template <class T> class Ref {
  public:
    Ref() = default;
    explicit Ref(T* p) : p_(p) {}
    ~Ref() { reset(); }
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;
    void reset() {
        if (p_)
            p_->Release();
        p_ = nullptr;
    }
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    T** out() {
        reset();
        return &p_;
    }
    void** outVoid() { return reinterpret_cast<void**>(out()); }

  private:
    T* p_ = nullptr;
};

class ServerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(server_.handle, nullptr) << ::dlerror();
        ASSERT_NE(server_.getClassObject, nullptr);
    }

    // A new instance of `clsid` through its class factory, as `riid`.
    template <class T> HRESULT create(REFCLSID clsid, REFIID riid, Ref<T>& out) {
        Ref<IClassFactory> factory;
        const HRESULT hr = server_.getClassObject(clsid, IID_IClassFactory, factory.outVoid());
        if (FAILED(hr))
            return hr;
        return factory->CreateInstance(nullptr, riid, out.outVoid());
    }

    LoadedServer server_;
};

// A VARIANT that clears itself.
struct Var {
    VARIANT v;
    Var() { VariantInit(&v); }
    ~Var() { VariantClear(&v); }
    Var(const Var&) = delete;
    Var& operator=(const Var&) = delete;
    static Var text(std::u16string_view s) {
        Var out;
        out.v.vt = VT_BSTR;
        out.v.bstrVal = SysAllocStringLen(s.data(), static_cast<UINT>(s.size()));
        return out;
    }
    Var(Var&& other) noexcept : v(other.v) { VariantInit(&other.v); }
};

// Late-bound call by DISPID with arguments given in source order (reversed here, as
// automation passes them).
struct LateCall {
    HRESULT hr = S_OK;
    Var result;
    EXCEPINFO excep{};
    UINT argErr = ~0u;

    LateCall() = default;
    LateCall(const LateCall&) = delete;
    LateCall& operator=(const LateCall&) = delete;
    ~LateCall() {
        SysFreeString(excep.bstrSource);
        SysFreeString(excep.bstrDescription);
        SysFreeString(excep.bstrHelpFile);
    }
};

inline void invoke(IDispatch* object, DISPID id, const std::vector<VARIANT>& args, LateCall& call,
                   WORD flags = DISPATCH_METHOD) {
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    call.hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, &call.result.v,
                             &call.excep, &call.argErr);
}

inline DISPID dispIdOf(IDispatch* object, const char16_t* name) {
    std::u16string copy(name);
    LPOLESTR names[] = {copy.data()};
    DISPID id = DISPID_UNKNOWN;
    EXPECT_EQ(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK)
        << qor::toUtf8(name);
    return id;
}

// Non-owning argument VARIANTs.
inline VARIANT vText(BSTR s) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = s;
    return v;
}
inline VARIANT vI4(LONG n) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = n;
    return v;
}
inline VARIANT vI2(SHORT n) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I2;
    v.iVal = n;
    return v;
}
inline VARIANT vR8(double d) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_R8;
    v.dblVal = d;
    return v;
}
inline VARIANT vBool(bool b) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BOOL;
    v.boolVal = b ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}
inline VARIANT vByRef(VARTYPE vt, void* target) {
    VARIANT v;
    VariantInit(&v);
    v.vt = static_cast<VARTYPE>(VT_BYREF | vt);
    v.byref = target;
    return v;
}
inline VARIANT vMissing() {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_ERROR;
    v.scode = DISP_E_PARAMNOTFOUND;
    return v;
}
inline VARIANT vObject(IDispatch* d) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_DISPATCH;
    v.pdispVal = d;
    return v;
}

inline std::u16string text(BSTR b) {
    return qor::Bstr::toU16(b);
}
