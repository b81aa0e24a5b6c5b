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
#include "qor_test/variants.h"

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

using qor::ComPtr;
using qor::Variant;
using qor::test::textVariant;
using qor::test::vBool;
using qor::test::vByRef;
using qor::test::vI2;
using qor::test::vI4;
using qor::test::vMissing;
using qor::test::vObject;
using qor::test::vR8;
using qor::test::vText;

class ServerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(server_.handle, nullptr) << ::dlerror();
        ASSERT_NE(server_.getClassObject, nullptr);
    }

    // A new instance of `clsid` through its class factory, as `riid`.
    template <class T> HRESULT create(REFCLSID clsid, REFIID riid, ComPtr<T>& out) {
        ComPtr<IClassFactory> factory;
        const HRESULT hr = server_.getClassObject(clsid, IID_IClassFactory, factory.outVoid());
        if (FAILED(hr))
            return hr;
        return factory->CreateInstance(nullptr, riid, out.outVoid());
    }

    LoadedServer server_;
};

// Late-bound call by DISPID with arguments given in source order (reversed here, as
// automation passes them).
struct LateCall {
    HRESULT hr = S_OK;
    Variant result;
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
    call.hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, call.result.out(),
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

inline std::u16string text(BSTR b) {
    return qor::Bstr::toU16(b);
}
