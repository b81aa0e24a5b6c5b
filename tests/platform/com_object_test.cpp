// The COM object base, its owners and the module counts, as a client relies on them.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "qor/com_object.h"
#include "qor/runtime.h"

namespace {

qor::ModuleLocks gTestModule;

// Two interfaces, the second one withheld while `hideSecond` is set.
class TwoFaced final
    : public qor::ComObject<TwoFaced, qor::Implements<IErrorInfo, IID_IErrorInfo>,
                            qor::Implements<ISupportErrorInfo, IID_ISupportErrorInfo>>,
      private qor::CountedInModule<gTestModule> {
  public:
    static inline int destroyed = 0;
    bool hideSecond = false;

    ~TwoFaced() { ++destroyed; }
    bool offers(REFIID riid) const noexcept {
        return !(hideSecond && riid == IID_ISupportErrorInfo);
    }

    HRESULT STDMETHODCALLTYPE GetGUID(GUID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetSource(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDescription(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetHelpFile(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetHelpContext(DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID) override { return S_OK; }
};

IUnknown* identity(IUnknown* face) {
    IUnknown* unknown = nullptr;
    EXPECT_EQ(face->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)), S_OK);
    unknown->Release();
    return unknown;
}

TEST(ComObject, AnswersItsInterfacesWithOneIdentity) {
    auto object = qor::ComPtr<TwoFaced>::attach(new TwoFaced());
    const auto info = object.query<IErrorInfo>(IID_IErrorInfo);
    const auto support = object.query<ISupportErrorInfo>(IID_ISupportErrorInfo);
    ASSERT_TRUE(info);
    ASSERT_TRUE(support);
    EXPECT_NE(static_cast<void*>(info.get()), static_cast<void*>(support.get()));
    EXPECT_EQ(identity(info.get()), identity(support.get()));
    EXPECT_EQ(object->references(), 3u);

    struct Refused {
        const IID* iid;
        bool hidden;
    };
    for (const Refused& c : {Refused{&IID_IDispatch, false}, Refused{&IID_ErrObject, false},
                             Refused{&IID_ISupportErrorInfo, true}}) {
        object->hideSecond = c.hidden;
        void* out = reinterpret_cast<void*>(0x1);
        EXPECT_EQ(object->QueryInterface(*c.iid, &out), E_NOINTERFACE);
        EXPECT_EQ(out, nullptr);
    }
    EXPECT_EQ(object->QueryInterface(IID_IErrorInfo, nullptr), E_POINTER);
    EXPECT_EQ(object->references(), 3u);
}

TEST(ComObject, LastReleaseDestroysAndTheModuleMayUnload) {
    TwoFaced::destroyed = 0;
    EXPECT_TRUE(gTestModule.canUnloadNow());
    IErrorInfo* info = nullptr;
    ASSERT_EQ(TwoFaced::create(IID_IErrorInfo, reinterpret_cast<void**>(&info)), S_OK);
    EXPECT_FALSE(gTestModule.canUnloadNow());
    // References from many threads at once still balance.
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([info] {
            for (int i = 0; i < 10000; ++i) {
                info->AddRef();
                info->Release();
            }
        });
    for (std::thread& t : threads)
        t.join();
    EXPECT_EQ(TwoFaced::destroyed, 0);
    EXPECT_EQ(info->Release(), 0u);
    EXPECT_EQ(TwoFaced::destroyed, 1);
    EXPECT_TRUE(gTestModule.canUnloadNow());
}

TEST(ClassFactory, CreatesRefusesAggregationAndCountsLocks) {
    qor::ComPtr<IClassFactory> factory;
    ASSERT_EQ(
        (qor::ClassFactory<TwoFaced, gTestModule>::create(IID_IClassFactory, factory.outVoid())),
        S_OK);
    EXPECT_FALSE(gTestModule.canUnloadNow()) << "a held factory keeps the module";
    qor::ComPtr<IUnknown> made;
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_ISupportErrorInfo, made.outVoid()), S_OK);
    EXPECT_EQ(factory->CreateInstance(factory.get(), IID_IUnknown, made.outVoid()),
              CLASS_E_NOAGGREGATION);
    EXPECT_FALSE(made);
    factory.reset();
    EXPECT_TRUE(gTestModule.canUnloadNow());

    ASSERT_EQ(
        (qor::ClassFactory<TwoFaced, gTestModule>::create(IID_IClassFactory, factory.outVoid())),
        S_OK);
    EXPECT_EQ(factory->LockServer(1), S_OK);
    factory.reset();
    EXPECT_FALSE(gTestModule.canUnloadNow()) << "a lock outlives the factory";
    EXPECT_TRUE(gTestModule.lockServer(false));
    EXPECT_FALSE(gTestModule.lockServer(false)) << "no lock is held any more";
    EXPECT_TRUE(gTestModule.canUnloadNow());
}

TEST(ComPtr, CopiesShareAndOwnersRelease) {
    Collection* raw = qor::createCollection();
    raw->AddRef(); // the test's own, to watch the count
    {
        auto first = qor::ComPtr<Collection>::attach(raw);
        const qor::ComPtr<Collection> copy = first;
        auto shared = qor::ComPtr<Collection>::share(raw);
        EXPECT_EQ(raw->AddRef(), 5u);
        raw->Release();
        qor::ComPtr<Collection> moved = std::move(first);
        EXPECT_FALSE(first);
        EXPECT_EQ(moved.get(), raw);
        EXPECT_FALSE(moved.query<IEnumVARIANT>(IID_IEnumVARIANT));
    }
    EXPECT_EQ(raw->Release(), 0u);
}

TEST(Variant, OwnsClearsAndHandsOver) {
    qor::Variant text;
    text->vt = VT_BSTR;
    text->bstrVal = SysAllocString(u"kept");
    qor::Variant moved = std::move(text);
    EXPECT_EQ(text->vt, VT_EMPTY);
    EXPECT_EQ(moved->vt, VT_BSTR);
    VARIANT raw = moved.detach();
    EXPECT_EQ(moved->vt, VT_EMPTY);
    qor::Variant again = qor::Variant::attach(raw);
    EXPECT_EQ(raw.vt, VT_EMPTY);
    EXPECT_EQ(qor::Bstr::toU16(again->bstrVal), u"kept");
    EXPECT_EQ(again.out()->vt, VT_EMPTY) << "an [out] slot starts empty";
}

} // namespace
