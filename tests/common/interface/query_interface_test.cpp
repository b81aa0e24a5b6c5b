// QueryInterface of the three classes: what each answers to, object identity, and the
// error-info support.
#include "server_fixture.h"

namespace {

struct ClassCase {
    const char* name;
    const CLSID* clsid;
    std::vector<const IID*> own;
};

const std::vector<ClassCase>& classCases() {
    static const std::vector<ClassCase> cases = {
        {"QorFile", &CLSID_QorFile, {&IID__QorFile, &IID_QorFile___v0}},
        {"Common", &CLSID_Common, {&IID__Common}},
        {"GeoSupport", &CLSID_GeoSupport, {&IID__GeoSupport}},
    };
    return cases;
}

const std::vector<const IID*> allOwnIids = {&IID__QorFile, &IID_QorFile___v0, &IID__Common,
                                            &IID__GeoSupport};

using QueryInterfaceTest = ServerTest;

TEST_F(QueryInterfaceTest, EachClassAnswersItsOwnInterfacesOnly) {
    for (const ClassCase& c : classCases()) {
        SCOPED_TRACE(c.name);
        ComPtr<IUnknown> object;
        ASSERT_EQ(create(*c.clsid, IID_IUnknown, object), S_OK);
        for (const IID* iid : {&IID_IUnknown, &IID_IDispatch, &IID_ISupportErrorInfo}) {
            ComPtr<IUnknown> answer;
            EXPECT_EQ(object->QueryInterface(*iid, answer.outVoid()), S_OK);
        }
        for (const IID* iid : allOwnIids) {
            const bool own = std::find(c.own.begin(), c.own.end(), iid) != c.own.end();
            void* answer = reinterpret_cast<void*>(1);
            EXPECT_EQ(object->QueryInterface(*iid, &answer), own ? S_OK : E_NOINTERFACE);
            EXPECT_EQ(answer != nullptr, own);
            if (answer)
                static_cast<IUnknown*>(answer)->Release();
        }
        for (const IID* iid : {&IID_IClassFactory, &IID_ErrObject, &IID_Collection}) {
            void* answer = reinterpret_cast<void*>(1);
            EXPECT_EQ(object->QueryInterface(*iid, &answer), E_NOINTERFACE);
            EXPECT_EQ(answer, nullptr);
        }
        EXPECT_EQ(object->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
    }
}

TEST_F(QueryInterfaceTest, OwnInterfacesAreOneInterfaceAndIdentityIsStable) {
    for (const ClassCase& c : classCases()) {
        SCOPED_TRACE(c.name);
        ComPtr<IUnknown> object;
        ASSERT_EQ(create(*c.clsid, IID_IUnknown, object), S_OK);
        ComPtr<IDispatch> dispatch;
        ASSERT_EQ(object->QueryInterface(IID_IDispatch, dispatch.outVoid()), S_OK);
        for (const IID* iid : c.own) {
            ComPtr<IUnknown> own;
            ASSERT_EQ(object->QueryInterface(*iid, own.outVoid()), S_OK);
            EXPECT_EQ(static_cast<void*>(own.get()), static_cast<void*>(dispatch.get()));
        }
        ComPtr<ISupportErrorInfo> support;
        ASSERT_EQ(object->QueryInterface(IID_ISupportErrorInfo, support.outVoid()), S_OK);
        ComPtr<IUnknown> back;
        ASSERT_EQ(support->QueryInterface(IID_IUnknown, back.outVoid()), S_OK);
        EXPECT_EQ(back.get(), object.get());
        for (const IID* iid : allOwnIids) {
            const bool own = std::find(c.own.begin(), c.own.end(), iid) != c.own.end();
            EXPECT_EQ(support->InterfaceSupportsErrorInfo(*iid), own ? S_OK : S_FALSE);
        }
    }
}

TEST_F(QueryInterfaceTest, EarlierQorFileIdentifierReachesTheSameSlots) {
    ComPtr<IUnknown> object;
    ASSERT_EQ(create(CLSID_QorFile, IID_IUnknown, object), S_OK);
    ComPtr<_QorFile> old;
    ASSERT_EQ(object->QueryInterface(IID_QorFile___v0, old.outVoid()), S_OK);
    BSTR path = SysAllocString(u"C:\\data\\report.txt");
    Variant empty;
    ASSERT_EQ(old->SetFileName(path, VARIANT_TRUE, empty.get()), S_OK);
    ComPtr<_QorFile> current;
    ASSERT_EQ(object->QueryInterface(IID__QorFile, current.outVoid()), S_OK);
    InfoType which = FullFilePath;
    BSTR full = nullptr;
    ASSERT_EQ(current->GetFileInfo(&which, nullptr, &full), S_OK);
    EXPECT_EQ(text(full), u"C:\\data\\report.txt");
    SysFreeString(full);
    SysFreeString(path);
}

TEST_F(QueryInterfaceTest, ReferenceCountsBalance) {
    ComPtr<_Common> common;
    ASSERT_EQ(create(CLSID_Common, IID__Common, common), S_OK);
    EXPECT_EQ(common->AddRef(), 2u);
    EXPECT_EQ(common->Release(), 1u);
    IDispatch* dispatch = nullptr;
    ASSERT_EQ(common->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)), S_OK);
    EXPECT_EQ(dispatch->Release(), 1u);
}

} // namespace
