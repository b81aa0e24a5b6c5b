#include <dlfcn.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

#include "fake_server.h"
#include "qor/runtime.h"
#include "qor_test/inproc_registration.h"
#include "qor_test/temp_folder.h"

namespace {

// {0F0E0D0C-0B0A-0908-0706-050403020100}
constexpr CLSID kOtherClsid = {
    0x0F0E0D0C, 0x0B0A, 0x0908, {0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01, 0x00}};
constexpr const char* kOtherClsidText = "{0F0E0D0C-0B0A-0908-0706-050403020100}";

bool isLoaded(const char* path) {
    void* handle = ::dlopen(path, RTLD_NOW | RTLD_NOLOAD);
    if (handle == nullptr)
        return false;
    ::dlclose(handle);
    return true;
}

class ClassCreation : public qor::test::TempRegistryTest {
  protected:
    void TearDown() override {
        CoFreeUnusedLibrariesEx(0, 0);
        qor::test::TempRegistryTest::TearDown();
    }
};

TEST_F(ClassCreation, CreatesARegisteredClassAndUnloadsItWhenIdle) {
    ASSERT_EQ(registerInprocServer(kFakeClsidText, FAKE_SERVER_PATH), ERROR_SUCCESS);
    IDispatch* obj = nullptr;
    ASSERT_EQ(CoCreateInstance(kFakeClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                               reinterpret_cast<void**>(&obj)),
              S_OK);
    ASSERT_NE(obj, nullptr);
    EXPECT_TRUE(isLoaded(FAKE_SERVER_PATH));

    // The object converts to text through its default value.
    VARIANT v, text;
    VariantInit(&v);
    VariantInit(&text);
    v.vt = VT_DISPATCH;
    v.pdispVal = obj;
    ASSERT_EQ(VariantChangeType(&text, &v, 0, VT_BSTR), S_OK);
    EXPECT_EQ(qor::Bstr::toU16(text.bstrVal), kFakeDefaultValue);
    VariantClear(&text);

    CoFreeUnusedLibrariesEx(0, 0); // an object is alive: the server stays
    EXPECT_TRUE(isLoaded(FAKE_SERVER_PATH));
    obj->Release();
    CoFreeUnusedLibrariesEx(0, 0);
    EXPECT_FALSE(isLoaded(FAKE_SERVER_PATH));
}

TEST_F(ClassCreation, ClassFactoryLockKeepsTheServer) {
    ASSERT_EQ(registerInprocServer(kFakeClsidText, FAKE_SERVER_PATH), ERROR_SUCCESS);
    IClassFactory* factory = nullptr;
    ASSERT_EQ(CoGetClassObject(kFakeClsid, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                               reinterpret_cast<void**>(&factory)),
              S_OK);
    IUnknown* first = nullptr;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&first)),
              S_OK);
    first->Release();
    CoFreeUnusedLibrariesEx(0, 0);
    EXPECT_TRUE(isLoaded(FAKE_SERVER_PATH));
    factory->Release();
    CoFreeUnusedLibrariesEx(0, 0);
    EXPECT_FALSE(isLoaded(FAKE_SERVER_PATH));
}

// The delay counts from when the server first said it could be unloaded, not from its use.
TEST_F(ClassCreation, UnloadsOnlyAServerIdleForTheWholeDelay) {
    ASSERT_EQ(registerInprocServer(kFakeClsidText, FAKE_SERVER_PATH), ERROR_SUCCESS);
    IUnknown* obj = nullptr;
    ASSERT_EQ(CoCreateInstance(kFakeClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                               reinterpret_cast<void**>(&obj)),
              S_OK);
    std::this_thread::sleep_for(std::chrono::milliseconds(80));
    obj->Release();
    CoFreeUnusedLibrariesEx(40, 0);
    CoFreeUnusedLibraries(); // the default delay is far longer
    EXPECT_TRUE(isLoaded(FAKE_SERVER_PATH));
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
    CoFreeUnusedLibrariesEx(40, 0);
    EXPECT_FALSE(isLoaded(FAKE_SERVER_PATH));
}

TEST_F(ClassCreation, CreatesByProgId) {
    ASSERT_EQ(registerInprocServer(kFakeClsidText, FAKE_SERVER_PATH), ERROR_SUCCESS);
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, "QorTest.Fake\\CLSID", 0, nullptr, 0, 0, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(kFakeClsidText),
                   static_cast<DWORD>(std::strlen(kFakeClsidText) + 1));
    RegCloseKey(key);
    CLSID clsid{};
    ASSERT_EQ(CLSIDFromProgID(u"QorTest.Fake", &clsid), S_OK);
    EXPECT_EQ(clsid, kFakeClsid);
    EXPECT_EQ(CLSIDFromProgID(u"qortest.fake", &clsid), S_OK); // names ignore case
    EXPECT_EQ(CLSIDFromProgID(u"QorTest.Unknown", &clsid), CO_E_CLASSSTRING);
    EXPECT_EQ(CLSIDFromProgID(u"", &clsid), CO_E_CLASSSTRING);
    EXPECT_EQ(CLSIDFromProgID(nullptr, &clsid), E_INVALIDARG);
}

struct CreationFailure {
    const char* registeredPath; // null: the class is not registered at all
    HRESULT expected;
    // What the error object's description holds: the loader's own words. Null: no error
    // object, not even one left over from an earlier failure.
    std::vector<const char*> described;
};

class ClassCreationFailures : public ClassCreation,
                              public ::testing::WithParamInterface<CreationFailure> {};

TEST_P(ClassCreationFailures, ReportAClearHresult) {
    if (GetParam().registeredPath != nullptr) {
        ASSERT_EQ(registerInprocServer(kOtherClsidText, GetParam().registeredPath), ERROR_SUCCESS);
    }
    SetErrorInfo(0, qor::ComPtr<ErrObject>::attach(qor::createErrObject(5, u"Earlier", u"stale"))
                        .query<IErrorInfo>(IID_IErrorInfo)
                        .get());
    IUnknown* obj = reinterpret_cast<IUnknown*>(0x1);
    EXPECT_EQ(CoCreateInstance(kOtherClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                               reinterpret_cast<void**>(&obj)),
              GetParam().expected);
    EXPECT_EQ(obj, nullptr);
    qor::ComPtr<IErrorInfo> info;
    const HRESULT found = GetErrorInfo(0, info.out());
    if (GetParam().described.empty()) {
        EXPECT_EQ(found, S_FALSE);
        return;
    }
    ASSERT_EQ(found, S_OK);
    qor::Bstr description;
    info->GetDescription(description.out());
    for (const char* part : GetParam().described)
        EXPECT_NE(qor::toUtf8(description.str()).find(part), std::string::npos)
            << qor::toUtf8(description.str()) << " lacks " << part;
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ClassCreationFailures,
    ::testing::Values(
        CreationFailure{nullptr, REGDB_E_CLASSNOTREG, {}},
        CreationFailure{"", REGDB_E_CLASSNOTREG, {}},
        CreationFailure{"/nonexistent/libNothing.so",
                        CO_E_DLLNOTFOUND,
                        {"/nonexistent/libNothing.so", "No such file or directory"}},
        CreationFailure{DATA_FILE_PATH, CO_E_DLLNOTFOUND, {DATA_FILE_PATH, "file too short"}},
        CreationFailure{
            PLAIN_LIBRARY_PATH, CO_E_ERRORINDLL, {"undefined symbol", "DllGetClassObject"}},
        // The server is found but does not serve this class.
        CreationFailure{FAKE_SERVER_PATH, CLASS_E_CLASSNOTAVAILABLE, {}}));

// With QOR_DEBUG=1 class creation, registry reads and dispatch failures are told on
// stderr; without it nothing is. Each runs in a child process that owns its stderr.
void createAndMisdispatch(bool debug) {
    if (debug)
        ::setenv("QOR_DEBUG", "1", 1);
    else
        ::unsetenv("QOR_DEBUG");
    registerInprocServer(kFakeClsidText, FAKE_SERVER_PATH);
    qor::ComPtr<IDispatch> object;
    if (FAILED(CoCreateInstance(kFakeClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                object.outVoid())))
        std::exit(2);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    if (object->Invoke(77, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr) !=
        DISP_E_MEMBERNOTFOUND)
        std::exit(3);
    std::exit(0);
}

using ClassCreationDebugLog = ClassCreation;

TEST_F(ClassCreationDebugLog, TellsWhatHappensWhenAsked) {
    EXPECT_EXIT(createAndMisdispatch(true), ::testing::ExitedWithCode(0),
                "qor: create: class \\{51A0C3D2-7E4B-4F10-9C2D-0123456789AB\\}.*"
                "qor: registry: HKEY_CLASSES_ROOT.*InprocServer32 = .*platform_fake_server.*"
                "qor: create: loaded .*"
                "qor: dispatch: no member 77");
}

TEST_F(ClassCreationDebugLog, StaysQuietOtherwise) {
    EXPECT_EXIT(createAndMisdispatch(false), ::testing::ExitedWithCode(0), "^$");
}

TEST_F(ClassCreation, RefusesAggregationAndOtherContexts) {
    ASSERT_EQ(registerInprocServer(kFakeClsidText, FAKE_SERVER_PATH), ERROR_SUCCESS);
    IUnknown* obj = nullptr;
    IUnknown* outer = reinterpret_cast<IUnknown*>(0x10);
    EXPECT_EQ(CoCreateInstance(kFakeClsid, outer, CLSCTX_INPROC_SERVER, IID_IUnknown,
                               reinterpret_cast<void**>(&obj)),
              CLASS_E_NOAGGREGATION);
    constexpr DWORD kLocalServer = 4;
    EXPECT_EQ(CoCreateInstance(kFakeClsid, nullptr, kLocalServer, IID_IUnknown,
                               reinterpret_cast<void**>(&obj)),
              REGDB_E_CLASSNOTREG);
    EXPECT_EQ(CoCreateInstance(kFakeClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, nullptr),
              E_POINTER);
    EXPECT_EQ(obj, nullptr);
}

TEST(Resources, FindsAResourceEmbeddedInALoadedLibrary) {
    void* module = ::dlopen(FAKE_SERVER_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(module, nullptr);
    auto* anchor = reinterpret_cast<const void* (*)()>(::dlsym(module, "fake_server_anchor"));
    ASSERT_NE(anchor, nullptr);
    const auto bytes = qor::findResource(anchor(), "TESTDATA", "greeting");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
              "Hello, resource.\n");
    EXPECT_TRUE(qor::findResource(anchor(), "TESTDATA", "absent").empty());
    EXPECT_TRUE(qor::findResource(anchor(), "TEST DATA", "greeting").empty());
    // The platform library itself holds no such resource, even though the server links it.
    EXPECT_TRUE(
        qor::findResource(reinterpret_cast<const void*>(&SysAllocString), "TESTDATA", "greeting")
            .empty());
    ::dlclose(module);
}

} // namespace
