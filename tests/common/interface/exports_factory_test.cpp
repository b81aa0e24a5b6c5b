// The four exports, the class factories and DllCanUnloadNow's counting.
#include "server_fixture.h"

namespace {

using ExportsTest = ServerTest;

TEST_F(ExportsTest, OnlyTheEntryPointsAndResourcesAreVisible) {
    EXPECT_NE(server_.canUnloadNow, nullptr);
    EXPECT_NE(server_.registerServer, nullptr);
    EXPECT_NE(server_.unregisterServer, nullptr);
    EXPECT_NE(::dlsym(server_.handle, "qor_resource__TYPELIB__1__begin"), nullptr);
    // Internal functions and the GUID constants it was built with stay inside.
    for (const char* hidden : {"_ZN3qor6server11moduleLocksE", "CLSID_Common", "IID__Common"}) {
        EXPECT_EQ(::dlsym(server_.handle, hidden), nullptr) << hidden;
    }
}

TEST_F(ExportsTest, GivesAFactoryForEachClassAndNoOther) {
    const GUID unknown = {0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};
    const struct {
        const GUID* clsid;
        HRESULT expected;
    } cases[] = {
        {&CLSID_QorFile, S_OK},
        {&CLSID_Common, S_OK},
        {&CLSID_GeoSupport, S_OK},
        {&unknown, CLASS_E_CLASSNOTAVAILABLE},
        {&IID__Common, CLASS_E_CLASSNOTAVAILABLE}, // an interface is no class
    };
    for (const auto& c : cases) {
        void* factory = reinterpret_cast<void*>(1);
        EXPECT_EQ(server_.getClassObject(*c.clsid, IID_IClassFactory, &factory), c.expected);
        EXPECT_EQ(factory != nullptr, c.expected == S_OK);
        if (factory)
            static_cast<IClassFactory*>(factory)->Release();
    }
    EXPECT_EQ(server_.getClassObject(CLSID_Common, IID_IClassFactory, nullptr), E_POINTER);
    void* none = nullptr;
    EXPECT_EQ(server_.getClassObject(CLSID_Common, IID__Common, &none), E_NOINTERFACE);
    EXPECT_EQ(none, nullptr);
}

TEST_F(ExportsTest, FactoryRefusesAggregationAndUnknownInterfaces) {
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(server_.getClassObject(CLSID_QorFile, IID_IClassFactory, factory.outVoid()), S_OK);
    ComPtr<_QorFile> outer;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID__QorFile, outer.outVoid()), S_OK);
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(factory->CreateInstance(outer.get(), IID_IUnknown, &object), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(object, nullptr);
    object = reinterpret_cast<void*>(1);
    EXPECT_EQ(factory->CreateInstance(nullptr, IID__Common, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, nullptr), E_POINTER);
}

TEST_F(ExportsTest, CanUnloadOnlyWithoutLiveObjectsFactoriesOrLocks) {
    ASSERT_EQ(server_.canUnloadNow(), S_OK);
    {
        ComPtr<IClassFactory> factory;
        ASSERT_EQ(server_.getClassObject(CLSID_GeoSupport, IID_IClassFactory, factory.outVoid()),
                  S_OK);
        EXPECT_EQ(server_.canUnloadNow(), S_FALSE) << "a held factory keeps the library";
        ComPtr<_GeoSupport> geo;
        ASSERT_EQ(factory->CreateInstance(nullptr, IID__GeoSupport, geo.outVoid()), S_OK);
        EXPECT_EQ(factory->LockServer(1), S_OK);
        EXPECT_EQ(factory->LockServer(1), S_OK);
        factory.reset();
        EXPECT_EQ(server_.canUnloadNow(), S_FALSE);
        geo.reset();
        EXPECT_EQ(server_.canUnloadNow(), S_FALSE) << "two locks still held";
    }
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(server_.getClassObject(CLSID_Common, IID_IClassFactory, factory.outVoid()), S_OK);
    EXPECT_EQ(factory->LockServer(0), S_OK);
    EXPECT_EQ(factory->LockServer(0), S_OK);
    EXPECT_EQ(factory->LockServer(0), E_UNEXPECTED) << "no lock left to release";
    factory.reset();
    EXPECT_EQ(server_.canUnloadNow(), S_OK);
}

TEST_F(ExportsTest, ObjectsHandedOutByOtherObjectsAreCountedToo) {
    ComPtr<_Common> common;
    ASSERT_EQ(create(CLSID_Common, IID__Common, common), S_OK);
    BSTR path = SysAllocString(u"C:\\data\\report.txt");
    VARIANT_BOOL fail = VARIANT_FALSE;
    ComPtr<_QorFile> file;
    ASSERT_EQ(common->GetFileInfo(path, &fail, file.out()), S_OK);
    SysFreeString(path);
    common.reset();
    EXPECT_EQ(server_.canUnloadNow(), S_FALSE);
    file.reset();
    EXPECT_EQ(server_.canUnloadNow(), S_OK);
}

} // namespace
