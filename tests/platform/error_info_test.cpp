#include <gtest/gtest.h>

#include <thread>

#include "qor/runtime.h"

namespace {

struct NumberMapping {
    std::int32_t number;
    HRESULT hr;
};

class ErrorNumbers : public ::testing::TestWithParam<NumberMapping> {};

TEST_P(ErrorNumbers, MapToTheirHresultAndBack) {
    const auto [number, hr] = GetParam();
    EXPECT_EQ(qor::hresultFromErrorNumber(number), hr);
    // The error object keeps the number itself, whatever the HRESULT.
    EXPECT_EQ(qor::raiseErrorInfo(qor::AutomationError(number, u"src", u"desc")), hr);
    const qor::AutomationError back = qor::takeErrorInfo(hr);
    EXPECT_EQ(back.number, number);
    EXPECT_EQ(back.source, u"src");
    EXPECT_EQ(back.description, u"desc");
}

INSTANTIATE_TEST_SUITE_P(Classic, ErrorNumbers,
                         ::testing::Values(NumberMapping{5, static_cast<HRESULT>(0x800A0005u)},
                                           NumberMapping{13, static_cast<HRESULT>(0x800A000Du)},
                                           NumberMapping{65535, static_cast<HRESULT>(0x800AFFFFu)},
                                           NumberMapping{-2147220504, -2147220504},
                                           NumberMapping{999999, E_FAIL},
                                           NumberMapping{65536, E_FAIL}, NumberMapping{0, E_FAIL}));

TEST(ErrorInfo, WithoutAnErrorObjectTheNumberComesFromTheHresult) {
    SetErrorInfo(0, nullptr);
    EXPECT_EQ(qor::takeErrorInfo(static_cast<HRESULT>(0x800A0009u)).number, 9);
    EXPECT_EQ(qor::takeErrorInfo(E_NOINTERFACE).number, E_NOINTERFACE);
}

TEST(ErrorInfo, PlainErrorInfoGivesTheHresultsNumber) {
    ICreateErrorInfo* create = nullptr;
    ASSERT_EQ(CreateErrorInfo(&create), S_OK);
    void* automationView = nullptr;
    EXPECT_EQ(create->QueryInterface(IID_ErrObject, &automationView), E_NOINTERFACE);
    create->SetSource(const_cast<LPOLESTR>(u"plain"));
    create->SetDescription(const_cast<LPOLESTR>(u"text"));
    IErrorInfo* info = nullptr;
    ASSERT_EQ(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)), S_OK);
    SetErrorInfo(0, info);
    info->Release();
    create->Release();
    const qor::AutomationError err = qor::takeErrorInfo(static_cast<HRESULT>(0x800A000Bu));
    EXPECT_EQ(err.number, 11);
    EXPECT_EQ(err.source, u"plain");
    EXPECT_EQ(err.description, u"text");
}

TEST(ErrorInfo, GetHandsOverAndClears) {
    qor::raiseErrorInfo(qor::AutomationError(6, u"s", u"d"));
    IErrorInfo* first = nullptr;
    EXPECT_EQ(GetErrorInfo(0, &first), S_OK);
    ASSERT_NE(first, nullptr);
    IErrorInfo* second = nullptr;
    EXPECT_EQ(GetErrorInfo(0, &second), S_FALSE);
    EXPECT_EQ(second, nullptr);
    EXPECT_EQ(first->Release(), 0u);
}

TEST(ErrorInfo, EachThreadHasItsOwn) {
    qor::raiseErrorInfo(qor::AutomationError(5, u"main", u"main thread"));
    std::u16string seenByOther = u"unset";
    bool otherHadNone = false;
    std::thread other([&] {
        IErrorInfo* info = nullptr;
        otherHadNone = GetErrorInfo(0, &info) == S_FALSE;
        qor::raiseErrorInfo(qor::AutomationError(13, u"other", u"other thread"));
        seenByOther = qor::takeErrorInfo(E_FAIL).source;
        qor::raiseErrorInfo(qor::AutomationError(6, u"left", u"released at thread end"));
    });
    other.join();
    EXPECT_TRUE(otherHadNone);
    EXPECT_EQ(seenByOther, u"other");
    EXPECT_EQ(qor::takeErrorInfo(E_FAIL).source, u"main");
}

TEST(ErrObjectInterfaces, AnswersTheStandardIdentities) {
    ErrObject* err =
        qor::createErrObject(999999, u"QorCommon1.QorFile.SetFileName", u"Invalid File Name");
    for (const IID* iid :
         {&IID_IUnknown, &IID_IDispatch, &IID_ErrObject, &IID_IErrorInfo, &IID_ICreateErrorInfo}) {
        void* p = nullptr;
        EXPECT_EQ(err->QueryInterface(*iid, &p), S_OK);
        static_cast<IUnknown*>(p)->Release();
    }
    void* p = nullptr;
    EXPECT_EQ(err->QueryInterface(IID_Collection, &p), E_NOINTERFACE);
    EXPECT_EQ(p, nullptr);

    IErrorInfo* info = nullptr;
    err->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info));
    qor::Bstr text;
    ASSERT_EQ(info->GetDescription(text.out()), S_OK);
    EXPECT_EQ(text.str(), u"Invalid File Name");
    // Through IErrorInfo back to the same object's ErrObject.
    ErrObject* again = nullptr;
    ASSERT_EQ(info->QueryInterface(IID_ErrObject, reinterpret_cast<void**>(&again)), S_OK);
    EXPECT_EQ(again, err);
    again->Release();
    info->Release();
    EXPECT_EQ(err->Release(), 0u);
}

// Late-bound access, as an automation client would read Err.Number and friends.
class ErrObjectLateBound : public ::testing::Test {
  protected:
    void SetUp() override { err_ = qor::createErrObject(13, u"Src", u"Type mismatch"); }
    void TearDown() override { err_->Release(); }

    DISPID idOf(const char16_t* name) {
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        DISPID id = 12345;
        EXPECT_EQ(err_->GetIDsOfNames(IID_NULL, names, 1, 0, &id), S_OK);
        return id;
    }
    HRESULT get(DISPID id, VARIANT& out, WORD flags = DISPATCH_PROPERTYGET) {
        DISPPARAMS none{nullptr, nullptr, 0, 0};
        VariantInit(&out);
        return err_->Invoke(id, IID_NULL, 0, flags, &none, &out, nullptr, nullptr);
    }
    HRESULT put(DISPID id, VARIANT value) {
        DISPID named = DISPID_PROPERTYPUT;
        DISPPARAMS params{&value, &named, 1, 1};
        return err_->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr,
                            nullptr);
    }

    ErrObject* err_ = nullptr;
};

TEST_F(ErrObjectLateBound, NamesResolveCaseInsensitively) {
    EXPECT_EQ(idOf(u"number"), 0);
    EXPECT_EQ(idOf(u"SOURCE"), DISPID_ERROBJECT_SOURCE);
    EXPECT_EQ(idOf(u"Description"), DISPID_ERROBJECT_DESCRIPTION);
    LPOLESTR names[] = {const_cast<LPOLESTR>(u"Nope")};
    DISPID id = 0;
    EXPECT_EQ(err_->GetIDsOfNames(IID_NULL, names, 1, 0, &id), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(id, DISPID_UNKNOWN);
}

TEST_F(ErrObjectLateBound, ReadsAndWritesProperties) {
    VARIANT v;
    ASSERT_EQ(get(DISPID_VALUE, v, DISPATCH_METHOD | DISPATCH_PROPERTYGET), S_OK);
    EXPECT_EQ(v.vt, VT_I4);
    EXPECT_EQ(v.lVal, 13);
    ASSERT_EQ(get(idOf(u"Description"), v), S_OK);
    EXPECT_EQ(qor::Bstr::toU16(v.bstrVal), u"Type mismatch");
    VariantClear(&v);

    VARIANT text;
    VariantInit(&text);
    text.vt = VT_BSTR;
    text.bstrVal = SysAllocString(u"New source");
    EXPECT_EQ(put(DISPID_ERROBJECT_SOURCE, text), S_OK);
    VariantClear(&text);
    VARIANT number;
    VariantInit(&number);
    number.vt = VT_I2;
    number.iVal = 6;
    EXPECT_EQ(put(DISPID_ERROBJECT_NUMBER, number), S_OK);

    qor::Bstr source;
    ASSERT_EQ(err_->get_Source(source.out()), S_OK);
    EXPECT_EQ(source.str(), u"New source");
    LONG n = 0;
    err_->get_Number(&n);
    EXPECT_EQ(n, 6);
}

TEST_F(ErrObjectLateBound, RefusesBadCalls) {
    VARIANT v;
    EXPECT_EQ(get(99, v), DISP_E_MEMBERNOTFOUND);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    EXPECT_EQ(err_->Invoke(0, IID_IDispatch, 0, DISPATCH_PROPERTYGET, &none, &v, nullptr, nullptr),
              DISP_E_UNKNOWNINTERFACE);
    VARIANT bad;
    VariantInit(&bad);
    bad.vt = VT_BSTR;
    bad.bstrVal = SysAllocString(u"not a number");
    UINT argErr = 99;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{&bad, &named, 1, 1};
    EXPECT_EQ(
        err_->Invoke(0, IID_NULL, 0, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, &argErr),
        DISP_E_TYPEMISMATCH);
    EXPECT_EQ(argErr, 0u);
    VariantClear(&bad);
    VARIANT number;
    VariantInit(&number);
    number.vt = VT_I4;
    EXPECT_EQ(put(DISPID_ERROBJECT_LASTDLLERROR, number), DISP_E_MEMBERNOTFOUND); // read-only
}

TEST_F(ErrObjectLateBound, RaiseFailsWithTheErrorInExcepinfo) {
    VARIANT args[2]; // reverse order: Source, then Number
    VariantInit(&args[0]);
    args[0].vt = VT_BSTR;
    args[0].bstrVal = SysAllocString(u"Raiser");
    VariantInit(&args[1]);
    args[1].vt = VT_I4;
    args[1].lVal = 9;
    DISPPARAMS params{args, nullptr, 2, 0};
    EXCEPINFO info{};
    EXPECT_EQ(err_->Invoke(DISPID_ERROBJECT_RAISE, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr,
                           &info, nullptr),
              DISP_E_EXCEPTION);
    EXPECT_EQ(info.scode, static_cast<SCODE>(0x800A0009u));
    EXPECT_EQ(qor::Bstr::toU16(info.bstrSource), u"Raiser");
    EXPECT_EQ(qor::Bstr::toU16(info.bstrDescription),
              u"Subscript out of range"); // the standard text
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrDescription);
    VariantClear(&args[0]);
}

TEST_F(ErrObjectLateBound, ClearResetsEverything) {
    EXPECT_EQ(err_->Clear(), S_OK);
    LONG n = -1;
    err_->get_Number(&n);
    EXPECT_EQ(n, 0);
    qor::Bstr d;
    err_->get_Description(d.out());
    EXPECT_EQ(d.str(), u"");
}

} // namespace
