// The error convention at the boundary: a failing HRESULT plus an error object with the
// number, source and description, for early-bound and late-bound callers alike.
#include "qor_test/fake_label.h"
#include "server_fixture.h"

namespace {

using qor::test::FakeLabel;

struct ErrorSeen {
    LONG number = 0;
    std::u16string source;
    std::u16string description;
};

// The thread's error object, read back as an automation client reads its Err object.
ErrorSeen takeError() {
    ErrorSeen seen;
    IErrorInfo* info = nullptr;
    EXPECT_EQ(GetErrorInfo(0, &info), S_OK);
    if (info == nullptr)
        return seen;
    ErrObject* err = nullptr;
    EXPECT_EQ(info->QueryInterface(IID_ErrObject, reinterpret_cast<void**>(&err)), S_OK);
    if (err != nullptr) {
        BSTR source = nullptr, description = nullptr;
        err->get_Number(&seen.number);
        err->get_Source(&source);
        err->get_Description(&description);
        seen.source = text(source);
        seen.description = text(description);
        SysFreeString(source);
        SysFreeString(description);
        err->Release();
    }
    info->Release();
    return seen;
}

struct FailureCase {
    const char* what;
    LONG raisedNumber;       // the error the label raises
    HRESULT expectedHresult; // what the caller sees
    LONG expectedNumber;
};

class ErrorConventionTest : public ServerTest {
  protected:
    void SetUp() override {
        ServerTest::SetUp();
        ASSERT_EQ(create(CLSID_Common, IID__Common, common_), S_OK);
        SetErrorInfo(0, nullptr);
    }
    ComPtr<_Common> common_;
};

// The label's failure passes through UpdateLabel's re-raise with its number intact.
const FailureCase labelFailures[] = {
    {"run-time number", 13, static_cast<HRESULT>(0x800A000Du), 13},
    {"failure code", -2147220504, -2147220504, -2147220504},
    {"run-time number 5", 5, static_cast<HRESULT>(0x800A0005u), 5},
};

TEST_F(ErrorConventionTest, EarlyBoundCallersGetTheHresultAndTheErrorObject) {
    for (const FailureCase& c : labelFailures) {
        SCOPED_TRACE(c.what);
        FakeLabel label;
        label.failure.emplace(c.raisedNumber, u"FakeLabel", u"label failed");
        IDispatch* labelRef = &label;
        BSTR message = SysAllocString(u"Working...");
        EXPECT_EQ(common_->UpdateLabel(&labelRef, message), c.expectedHresult);
        SysFreeString(message);
        const ErrorSeen seen = takeError();
        EXPECT_EQ(seen.number, c.expectedNumber);
        EXPECT_EQ(seen.source, u"QorCommon1.Common.UpdateProgressLabel; FakeLabel");
        EXPECT_EQ(seen.description, u"label failed");
    }
}

TEST_F(ErrorConventionTest, LateBoundCallersGetExcepinfoAndTheErrorObject) {
    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(common_->QueryInterface(IID_IDispatch, dispatch.outVoid()), S_OK);
    for (const FailureCase& c : labelFailures) {
        SCOPED_TRACE(c.what);
        FakeLabel label;
        label.failure.emplace(c.raisedNumber, u"FakeLabel", u"label failed");
        Variant message = textVariant(u"Working...");
        LateCall call;
        invoke(dispatch.get(), 0x60030008, {vObject(&label), *message}, call);
        EXPECT_EQ(call.hr, DISP_E_EXCEPTION);
        EXPECT_EQ(call.excep.scode, c.expectedHresult);
        EXPECT_EQ(text(call.excep.bstrSource), u"QorCommon1.Common.UpdateProgressLabel; FakeLabel");
        EXPECT_EQ(text(call.excep.bstrDescription), u"label failed");
        EXPECT_EQ(takeError().number, c.expectedNumber);
    }
}

TEST_F(ErrorConventionTest, ANumberOutsideBothRangesFailsWithEFail) {
    ComPtr<_QorFile> file;
    ASSERT_EQ(create(CLSID_QorFile, IID__QorFile, file), S_OK);
    BSTR shortPath = SysAllocString(u"abc");
    Variant result;
    EXPECT_EQ(file->SetFileName(shortPath, VARIANT_TRUE, result.get()), E_FAIL);
    const ErrorSeen seen = takeError();
    EXPECT_EQ(seen.number, 999999);
    EXPECT_EQ(seen.source, u"QorFile.SetFileName; QorCommon1.QorFile.SetFileName");
    EXPECT_EQ(seen.description, u"Path=abc; Error Desc=Invalid File Name");

    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(file->QueryInterface(IID_IDispatch, dispatch.outVoid()), S_OK);
    LateCall call;
    invoke(dispatch.get(), 0x60030000, {vText(shortPath), vBool(true)}, call);
    EXPECT_EQ(call.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(call.excep.scode, E_FAIL);
    EXPECT_EQ(text(call.excep.bstrDescription), u"Path=abc; Error Desc=Invalid File Name");
    EXPECT_EQ(takeError().number, 999999);
    SysFreeString(shortPath);
}

TEST_F(ErrorConventionTest, APassThroughFailureArrivesUnchanged) {
    // An object without a default value has no text form: error 13 from NulltoString.
    ComPtr<IDispatch> noDefault;
    ASSERT_EQ(create(CLSID_GeoSupport, IID_IDispatch, noDefault), S_OK);
    VARIANT object = vObject(noDefault.get());
    BSTR out = nullptr;
    EXPECT_EQ(common_->NulltoString(&object, &out), static_cast<HRESULT>(0x800A000Du));
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(takeError().number, 13);
}

TEST_F(ErrorConventionTest, SuccessLeavesNoErrorBehind) {
    BSTR in = SysAllocString(u"x");
    BSTR out = nullptr;
    ASSERT_EQ(common_->EmptyStringToZero(in, &out), S_OK);
    IErrorInfo* info = nullptr;
    EXPECT_EQ(GetErrorInfo(0, &info), S_FALSE);
    EXPECT_EQ(info, nullptr);
    SysFreeString(out);
    SysFreeString(in);
}

} // namespace
