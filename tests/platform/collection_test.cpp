#include <gtest/gtest.h>

#include <vector>

#include "qor/runtime.h"
#include "qor_test/variants.h"

namespace {

using qor::test::vI4;
using qor::test::vMissing;
using qor::test::vNewText;

class CollectionTest : public ::testing::Test {
  protected:
    void SetUp() override { col_ = qor::createCollection(); }
    void TearDown() override {
        EXPECT_EQ(col_->Release(), 0u);
        SetErrorInfo(0, nullptr);
    }

    HRESULT add(const char16_t* item, const char16_t* key = nullptr) {
        VARIANT i = vNewText(item);
        VARIANT k = key != nullptr ? vNewText(key) : vMissing();
        VARIANT none = vMissing();
        const HRESULT hr = col_->Add(&i, &k, &none, &none);
        VariantClear(&i);
        VariantClear(&k);
        return hr;
    }
    std::u16string item(VARIANT index) {
        VARIANT out;
        VariantInit(&out);
        const HRESULT hr = col_->Item(&index, &out);
        VariantClear(&index);
        if (FAILED(hr))
            return u"<failed>";
        std::u16string s = qor::Bstr::toU16(out.bstrVal);
        VariantClear(&out);
        return s;
    }
    LONG count() {
        LONG n = -1;
        col_->Count(&n);
        return n;
    }

    Collection* col_ = nullptr;
};

TEST_F(CollectionTest, ItemsByPositionAndByKey) {
    ASSERT_EQ(add(u"Degrees", u"DECIMAL_DEGREES"), S_OK);
    ASSERT_EQ(add(u"DMS", u"dms"), S_OK);
    ASSERT_EQ(add(u"no key"), S_OK);
    EXPECT_EQ(count(), 3);
    EXPECT_EQ(item(vI4(1)), u"Degrees");
    EXPECT_EQ(item(vI4(3)), u"no key");
    EXPECT_EQ(item(vNewText(u"decimal_degrees")), u"Degrees"); // keys ignore case
    EXPECT_EQ(item(vNewText(u"DMS")), u"DMS");
    VARIANT two;
    VariantInit(&two);
    two.vt = VT_R8;
    two.dblVal = 2.0;
    EXPECT_EQ(item(two), u"DMS");
}

struct BadIndex {
    VARIANT (*make)();
    std::int32_t error;
};

class CollectionErrors : public CollectionTest, public ::testing::WithParamInterface<BadIndex> {};

TEST_P(CollectionErrors, BadIndexRaisesTheClassicError) {
    ASSERT_EQ(add(u"one", u"k1"), S_OK);
    VARIANT index = GetParam().make();
    VARIANT out;
    VariantInit(&out);
    const HRESULT hr = col_->Item(&index, &out);
    EXPECT_EQ(hr, qor::hresultFromErrorNumber(GetParam().error));
    EXPECT_EQ(qor::takeErrorInfo(hr).number, GetParam().error);
    EXPECT_EQ(out.vt, VT_EMPTY);
    EXPECT_EQ(col_->Remove(&index), hr);
    EXPECT_EQ(count(), 1);
    VariantClear(&index);
}

INSTANTIATE_TEST_SUITE_P(
    Indexes, CollectionErrors,
    ::testing::Values(BadIndex{[] { return vI4(0); }, qor::kErrSubscriptOutOfRange},
                      BadIndex{[] { return vI4(2); }, qor::kErrSubscriptOutOfRange},
                      BadIndex{[] { return vI4(-1); }, qor::kErrSubscriptOutOfRange},
                      BadIndex{[] { return vNewText(u"nokey"); }, qor::kErrInvalidProcedureCall},
                      BadIndex{vMissing, qor::kErrInvalidProcedureCall}));

TEST_F(CollectionTest, DuplicateKeyIsRefused) {
    ASSERT_EQ(add(u"one", u"Key"), S_OK);
    const HRESULT hr = add(u"two", u"KEY");
    EXPECT_EQ(hr, qor::hresultFromErrorNumber(qor::kErrDuplicateKey));
    const qor::AutomationError err = qor::takeErrorInfo(hr);
    EXPECT_EQ(err.number, 457);
    EXPECT_EQ(err.description,
              u"This key is already associated with an element of this collection");
    EXPECT_EQ(count(), 1);
}

TEST_F(CollectionTest, AddBeforeAndAfter) {
    add(u"b", u"kb");
    VARIANT a = vNewText(u"a"), c = vNewText(u"c"), none = vMissing(), key = vMissing();
    VARIANT first = vI4(1), byKey = vNewText(u"KB");
    ASSERT_EQ(col_->Add(&a, &key, &first, &none), S_OK);
    ASSERT_EQ(col_->Add(&c, &key, &none, &byKey), S_OK);
    EXPECT_EQ(item(vI4(1)), u"a");
    EXPECT_EQ(item(vI4(2)), u"b");
    EXPECT_EQ(item(vI4(3)), u"c");
    EXPECT_EQ(col_->Add(&a, &key, &first, &byKey),
              qor::hresultFromErrorNumber(qor::kErrInvalidProcedureCall));
    VARIANT tooFar = vI4(9);
    EXPECT_EQ(col_->Add(&a, &key, &tooFar, &none),
              qor::hresultFromErrorNumber(qor::kErrSubscriptOutOfRange));
    EXPECT_EQ(count(), 3);
    for (VARIANT* v : {&a, &c, &byKey})
        VariantClear(v);
}

TEST_F(CollectionTest, RemoveShiftsLaterItems) {
    add(u"x", u"kx");
    add(u"y", u"ky");
    add(u"z");
    VARIANT key = vNewText(u"KX");
    ASSERT_EQ(col_->Remove(&key), S_OK);
    VariantClear(&key);
    EXPECT_EQ(count(), 2);
    EXPECT_EQ(item(vI4(1)), u"y");
    EXPECT_EQ(item(vNewText(u"kx")), u"<failed>");
    ASSERT_EQ(add(u"x again", u"kx"), S_OK); // the key is free again
}

TEST_F(CollectionTest, EnumeratesASnapshotInOrder) {
    add(u"1");
    add(u"2");
    add(u"3");
    IUnknown* unk = nullptr;
    ASSERT_EQ(col_->_NewEnum(&unk), S_OK);
    IEnumVARIANT* e = nullptr;
    ASSERT_EQ(unk->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(&e)), S_OK);
    unk->Release();
    add(u"added later");
    VARIANT got[2];
    ULONG fetched = 0;
    ASSERT_EQ(e->Next(2, got, &fetched), S_OK);
    EXPECT_EQ(fetched, 2u);
    EXPECT_EQ(qor::Bstr::toU16(got[1].bstrVal), u"2");
    for (VARIANT& v : got)
        VariantClear(&v);
    IEnumVARIANT* clone = nullptr;
    ASSERT_EQ(e->Clone(&clone), S_OK);
    ASSERT_EQ(e->Next(2, got, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 1u);
    EXPECT_EQ(qor::Bstr::toU16(got[0].bstrVal), u"3");
    VariantClear(&got[0]);
    EXPECT_EQ(clone->Skip(5), S_FALSE);
    EXPECT_EQ(clone->Reset(), S_OK);
    ASSERT_EQ(clone->Next(1, got, nullptr), S_OK);
    EXPECT_EQ(qor::Bstr::toU16(got[0].bstrVal), u"1");
    VariantClear(&got[0]);
    clone->Release();
    e->Release();
}

TEST_F(CollectionTest, LateBoundAddItemCountRemove) {
    auto invoke = [&](DISPID id, WORD flags, std::vector<VARIANT> args, VARIANT* result,
                      EXCEPINFO* info = nullptr) {
        DISPPARAMS params{args.data(), nullptr, static_cast<UINT>(args.size()), 0};
        const HRESULT hr = col_->Invoke(id, IID_NULL, 0, flags, &params, result, info, nullptr);
        for (VARIANT& v : args)
            VariantClear(&v);
        return hr;
    };
    LPOLESTR names[] = {const_cast<LPOLESTR>(u"add")};
    DISPID id = -1;
    ASSERT_EQ(col_->GetIDsOfNames(IID_NULL, names, 1, 0, &id), S_OK);
    EXPECT_EQ(id, DISPID_COLLECTION_ADD);
    // Add "value", "key" (arguments in reverse order)
    EXPECT_EQ(invoke(DISPID_COLLECTION_ADD, DISPATCH_METHOD, {vNewText(u"key"), vNewText(u"value")},
                     nullptr),
              S_OK);
    VARIANT result;
    VariantInit(&result);
    EXPECT_EQ(invoke(DISPID_COLLECTION_COUNT, DISPATCH_PROPERTYGET, {}, &result), S_OK);
    EXPECT_EQ(result.lVal, 1);
    EXPECT_EQ(
        invoke(DISPID_VALUE, DISPATCH_METHOD | DISPATCH_PROPERTYGET, {vNewText(u"KEY")}, &result),
        S_OK);
    EXPECT_EQ(qor::Bstr::toU16(result.bstrVal), u"value");
    VariantClear(&result);
    EXCEPINFO info{};
    EXPECT_EQ(invoke(DISPID_VALUE, DISPATCH_METHOD, {vI4(4)}, &result, &info), DISP_E_EXCEPTION);
    EXPECT_EQ(info.scode, static_cast<SCODE>(0x800A0009u));
    EXPECT_EQ(qor::Bstr::toU16(info.bstrDescription), u"Subscript out of range");
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrDescription);
    EXPECT_EQ(invoke(DISPID_COLLECTION_REMOVE, DISPATCH_METHOD, {}, nullptr), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(invoke(DISPID_COLLECTION_REMOVE, DISPATCH_METHOD, {vI4(1)}, nullptr), S_OK);
    EXPECT_EQ(count(), 0);
    EXPECT_EQ(invoke(77, DISPATCH_METHOD, {}, nullptr), DISP_E_MEMBERNOTFOUND);
}

TEST_F(CollectionTest, LateBoundAddLeavesOutOptionalArgumentsOrNamesThem) {
    VARIANT args[2] = {vI4(1), vNewText(u"second")}; // After:=1 named, Item positional
    DISPID named = 3;                                // After
    DISPPARAMS onlyItem{&args[1], nullptr, 1, 0};
    ASSERT_EQ(col_->Invoke(DISPID_COLLECTION_ADD, IID_NULL, 0, DISPATCH_METHOD, &onlyItem, nullptr,
                           nullptr, nullptr),
              S_OK);
    DISPPARAMS withAfter{args, &named, 2, 1};
    ASSERT_EQ(col_->Invoke(DISPID_COLLECTION_ADD, IID_NULL, 0, DISPATCH_METHOD, &withAfter, nullptr,
                           nullptr, nullptr),
              S_OK);
    EXPECT_EQ(count(), 2);
    EXPECT_EQ(item(vI4(2)), u"second");
    VariantClear(&args[1]);
}

TEST_F(CollectionTest, StoresObjectsWithAReference) {
    Collection* inner = qor::createCollection();
    VARIANT obj;
    VariantInit(&obj);
    obj.vt = VT_DISPATCH;
    obj.pdispVal = inner;
    VARIANT none = vMissing();
    ASSERT_EQ(col_->Add(&obj, &none, &none, &none), S_OK);
    VARIANT out;
    VARIANT first = vI4(1);
    ASSERT_EQ(col_->Item(&first, &out), S_OK);
    EXPECT_EQ(out.pdispVal, inner);
    VariantClear(&out);
    VariantClear(&obj); // the collection still holds one
    LONG n = -1;
    first = vI4(1);
    ASSERT_EQ(col_->Item(&first, &out), S_OK);
    EXPECT_EQ(static_cast<Collection*>(out.pdispVal)->Count(&n), S_OK);
    VariantClear(&out);
}

} // namespace
