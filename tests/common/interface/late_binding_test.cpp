// Late binding through IDispatch: names, DISPIDs, argument order, coercion, by-reference
// and omitted arguments, counts and results.
#include "qor_test/fake_label.h"
#include "server_fixture.h"

namespace {

using qor::test::FakeLabel;

class LateBindingTest : public ServerTest {
  protected:
    void SetUp() override {
        ServerTest::SetUp();
        ASSERT_EQ(create(CLSID_Common, IID_IDispatch, common_), S_OK);
        ASSERT_EQ(create(CLSID_QorFile, IID_IDispatch, file_), S_OK);
        ASSERT_EQ(create(CLSID_GeoSupport, IID_IDispatch, geo_), S_OK);
        commonRaw = common_.get();
        fileRaw = file_.get();
        geoRaw = geo_.get();
    }
    ComPtr<IDispatch> common_, file_, geo_;
    IDispatch* commonRaw = nullptr;
    IDispatch* fileRaw = nullptr;
    IDispatch* geoRaw = nullptr;
};

TEST_F(LateBindingTest, NamesMatchWhateverTheirCase) {
    const struct {
        IDispatch* object;
        const char16_t* name;
        DISPID expected;
    } cases[] = {
        {commonRaw, u"EmptyStringToZero", 0x60030000},
        {commonRaw, u"emptystringtozero", 0x60030000},
        {commonRaw, u"REMOVESPACES", 0x60030004},
        {commonRaw, u"ShowError", 0x60030006},
        {commonRaw, u"findTextFileLength", 0x6003000D},
        {fileRaw, u"setfilename", 0x60030000},
        {fileRaw, u"GetFileInfo", 0x60030001},
        {geoRaw, u"shotpointsortvalue", 0x60030005},
    };
    for (const auto& c : cases) {
        std::u16string name = c.name;
        LPOLESTR names[] = {name.data()};
        DISPID id = 0;
        EXPECT_EQ(c.object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK);
        EXPECT_EQ(id, c.expected) << qor::toUtf8(c.name);
    }
}

TEST_F(LateBindingTest, UnknownNamesAreReported) {
    for (const char16_t* name : {u"NoSuchMethod", u"EmptyStringToZer", u"", u"SetFileName"}) {
        std::u16string copy = name;
        LPOLESTR names[] = {copy.data()};
        DISPID id = 0;
        EXPECT_EQ(common_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id),
                  DISP_E_UNKNOWNNAME);
        EXPECT_EQ(id, DISPID_UNKNOWN);
    }
    // Parameter names come back numbered by position.
    std::u16string method = u"getfileinfo", param = u"WITHTRAILINGSLASH", bad = u"Nope";
    LPOLESTR names[] = {method.data(), param.data(), bad.data()};
    DISPID ids[3] = {};
    EXPECT_EQ(file_->GetIDsOfNames(IID_NULL, names, 3, LOCALE_USER_DEFAULT, ids),
              DISP_E_UNKNOWNNAME);
    EXPECT_EQ(ids[0], 0x60030001);
    EXPECT_EQ(ids[1], 1);
    EXPECT_EQ(ids[2], DISPID_UNKNOWN);
}

TEST_F(LateBindingTest, ArgumentsAreCoercedToTheParameterTypes) {
    const DISPID emptyToZero = dispIdOf(common_.get(), u"EmptyStringToZero");
    Variant blank = textVariant(u"  ");
    Variant spaced = textVariant(u" 7 ");
    const struct {
        VARIANT arg;
        std::u16string expected;
    } cases[] = {
        {*blank, u"0"},
        {vI4(12), u"12"},                          // number to text
        {vByRef(VT_BSTR, &spaced->bstrVal), u"7"}, // by reference where by value is declared
        {vByRef(VT_VARIANT, blank.get()), u"0"},
    };
    for (const auto& c : cases) {
        LateCall call;
        invoke(common_.get(), emptyToZero, {c.arg}, call);
        ASSERT_EQ(call.hr, S_OK);
        ASSERT_EQ(call.result->vt, VT_BSTR);
        EXPECT_EQ(text(call.result->bstrVal), c.expected);
    }
}

TEST_F(LateBindingTest, ResultsCarryTheDeclaredType) {
    LateCall angle;
    invoke(geo_.get(), 0x60030004, {vR8(1), vI4(1)}, angle);
    ASSERT_EQ(angle.hr, S_OK);
    EXPECT_EQ(angle.result->vt, VT_I2);
    EXPECT_EQ(angle.result->iVal, 45);

    LateCall exists;
    invoke(common_.get(), 0x6003000C, {}, exists); // both optional texts omitted
    ASSERT_EQ(exists.hr, S_OK);
    EXPECT_EQ(exists.result->vt, VT_BOOL);
    EXPECT_EQ(exists.result->boolVal, VARIANT_FALSE);

    Variant path = textVariant(u"C:\\data\\report.txt");
    LateCall set;
    invoke(file_.get(), 0x60030000, {*path, vBool(true)}, set);
    ASSERT_EQ(set.hr, S_OK);
    EXPECT_EQ(set.result->vt, VT_EMPTY);

    LateCall formats;
    invoke(geo_.get(), 0x60030000, {}, formats, DISPATCH_METHOD | DISPATCH_PROPERTYGET);
    ASSERT_EQ(formats.hr, S_OK);
    ASSERT_EQ(formats.result->vt, VT_DISPATCH);
    ComPtr<Collection> collection;
    EXPECT_EQ(formats.result->pdispVal->QueryInterface(IID_Collection, collection.outVoid()), S_OK);

    LateCall parsed;
    VARIANT_BOOL failInvalid = VARIANT_FALSE;
    invoke(common_.get(), 0x60030002, {*path, vByRef(VT_BOOL, &failInvalid)}, parsed);
    ASSERT_EQ(parsed.hr, S_OK);
    ASSERT_EQ(parsed.result->vt, VT_DISPATCH);
    ComPtr<_QorFile> file;
    EXPECT_EQ(parsed.result->pdispVal->QueryInterface(IID__QorFile, file.outVoid()), S_OK);
}

TEST_F(LateBindingTest, OmittedOptionalsTakeTheirDefaults) {
    Variant path = textVariant(u"C:\\data\\report.txt");
    LateCall set;
    invoke(file_.get(), 0x60030000, {*path, vBool(true)}, set);
    ASSERT_EQ(set.hr, S_OK);

    // WithTrailingSlash defaults to True: left out, or passed as "missing".
    LONG folder = FilePath;
    std::u16string withSlash, withoutSlash, leftOut, missing;
    const struct {
        std::vector<VARIANT> args;
        std::u16string* out;
    } cases[] = {
        {{vByRef(VT_I4, &folder), vBool(true)}, &withSlash},
        {{vByRef(VT_I4, &folder), vBool(false)}, &withoutSlash},
        {{vByRef(VT_I4, &folder)}, &leftOut},
        {{vI4(FilePath), vMissing()}, &missing},
    };
    for (const auto& c : cases) {
        std::vector<VARIANT> reversed(c.args.rbegin(), c.args.rend());
        DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
        Variant result;
        ASSERT_EQ(file_->Invoke(0x60030001, IID_NULL, 0, DISPATCH_METHOD, &params, result.get(),
                                nullptr, nullptr),
                  S_OK);
        *c.out = text(result->bstrVal);
    }
    EXPECT_NE(withSlash, withoutSlash);
    EXPECT_EQ(leftOut, withSlash);
    EXPECT_EQ(missing, withSlash);
}

TEST_F(LateBindingTest, NamedArgumentsFindTheirParameters) {
    Variant path = textVariant(u"C:\\data\\report.txt");
    LateCall set;
    invoke(file_.get(), 0x60030000, {*path, vBool(true)}, set);
    ASSERT_EQ(set.hr, S_OK);
    // GetFileInfo(WithTrailingSlash:=False, InfoType:=FileExt)
    VARIANT args[2] = {vBool(false), vI4(FileExt)};
    DISPID named[2] = {1, 0};
    DISPPARAMS params{args, named, 2, 2};
    Variant result;
    ASSERT_EQ(file_->Invoke(0x60030001, IID_NULL, 0, DISPATCH_METHOD, &params, result.get(),
                            nullptr, nullptr),
              S_OK);
    EXPECT_EQ(text(result->bstrVal), u"txt");
}

TEST_F(LateBindingTest, ByReferenceArgumentsReachTheOperationUnchanged) {
    Variant spaced = textVariant(u" a   b  c ");
    SHORT counter = 3;
    LateCall call;
    invoke(common_.get(), 0x60030004, {*spaced, vByRef(VT_I2, &counter)}, call);
    ASSERT_EQ(call.hr, S_OK);
    EXPECT_EQ(text(call.result->bstrVal), u"a  b  c");
    EXPECT_EQ(counter, 3);

    // A Variant by reference: Null gives "", a number its text.
    Variant null;
    null->vt = VT_NULL;
    Variant twelve;
    twelve->vt = VT_I4;
    twelve->lVal = 12;
    for (const auto& [arg, expected] : {std::pair{&null, u""}, std::pair{&twelve, u"12"}}) {
        LateCall byValue, byRef;
        invoke(common_.get(), 0x60030001, {**arg}, byValue);
        invoke(common_.get(), 0x60030001, {vByRef(VT_VARIANT, arg->get())}, byRef);
        ASSERT_EQ(byValue.hr, S_OK);
        ASSERT_EQ(byRef.hr, S_OK);
        EXPECT_EQ(text(byValue.result->bstrVal), expected);
        EXPECT_EQ(text(byRef.result->bstrVal), expected);
    }
}

TEST_F(LateBindingTest, ObjectArgumentsByValueAndByReference) {
    FakeLabel label;
    IDispatch* labelRef = &label;
    Variant message = textVariant(u"Working...");
    LateCall byValue;
    invoke(common_.get(), 0x60030008, {vObject(&label), *message}, byValue);
    ASSERT_EQ(byValue.hr, S_OK);
    EXPECT_EQ(label.caption, u"Working...");
    EXPECT_EQ(label.refreshCalls, 1);

    label.tag = u"Ready";
    LateCall reset; // InputValue left out: the caption goes back to the tag
    invoke(common_.get(), 0x60030007, {vByRef(VT_DISPATCH, &labelRef)}, reset);
    ASSERT_EQ(reset.hr, S_OK);
    EXPECT_EQ(label.caption, u"Ready");
    EXPECT_EQ(labelRef, &label);
    EXPECT_EQ(label.references(), 1u);
}

TEST_F(LateBindingTest, WrongArgumentTypesPointAtTheArgument) {
    Variant word = textVariant(u"north");
    const struct {
        IDispatch* object;
        DISPID id;
        std::vector<VARIANT> args; // in source order
        UINT badArg;               // index into the reversed array
    } cases[] = {
        {geoRaw, 0x60030004, {*word, vR8(1)}, 1},                           // x is no number
        {geoRaw, 0x60030004, {vR8(1), *word}, 0},                           // y is no number
        {commonRaw, 0x60030008, {vI4(3), *word}, 1},                        // LabelCtl is no object
        {commonRaw, 0x60030004, {*word, *word}, 0},                         // SpaceCounter
        {commonRaw, 0x60030006, {*word, *word, vObject(geoRaw), *word}, 1}, // not an ErrObject
    };
    for (const auto& c : cases) {
        std::vector<VARIANT> reversed(c.args.rbegin(), c.args.rend());
        DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
        Variant result;
        UINT argErr = ~0u;
        EXPECT_EQ(c.object->Invoke(c.id, IID_NULL, 0, DISPATCH_METHOD, &params, result.get(),
                                   nullptr, &argErr),
                  DISP_E_TYPEMISMATCH)
            << std::hex << c.id;
        EXPECT_EQ(argErr, c.badArg) << std::hex << c.id;
    }
}

TEST_F(LateBindingTest, WrongCountsAndMembersAreRefused) {
    Variant word = textVariant(u"x");
    const struct {
        DISPID id;
        std::vector<VARIANT> args;
        HRESULT expected;
    } cases[] = {
        {0x60030000, {}, DISP_E_BADPARAMCOUNT},             // EmptyStringToZero needs one
        {0x60030000, {*word, *word}, DISP_E_BADPARAMCOUNT}, // ... and takes only one
        {0x6003000C, {*word, *word, *word}, DISP_E_BADPARAMCOUNT},
        {0x60030000, {vMissing()}, DISP_E_PARAMNOTFOUND}, // a required one left "missing"
        {0x60030005, {}, DISP_E_MEMBERNOTFOUND},          // the skipped DISPID
        {0x12345, {}, DISP_E_MEMBERNOTFOUND},
    };
    for (const auto& c : cases) {
        LateCall call;
        invoke(common_.get(), c.id, c.args, call);
        EXPECT_EQ(call.hr, c.expected) << std::hex << c.id << " with " << c.args.size();
    }
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    Variant result;
    const GUID other = IID__Common;
    EXPECT_EQ(common_->Invoke(0x6003000C, other, 0, DISPATCH_METHOD, &none, result.get(), nullptr,
                              nullptr),
              DISP_E_UNKNOWNINTERFACE);
    EXPECT_EQ(common_->Invoke(0x6003000C, IID_NULL, 0, DISPATCH_PROPERTYPUT, &none, result.get(),
                              nullptr, nullptr),
              DISP_E_MEMBERNOTFOUND);
}

TEST_F(LateBindingTest, NoTypeInformationIsOffered) {
    UINT count = 9;
    EXPECT_EQ(common_->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 0u);
    ITypeInfo* info = reinterpret_cast<ITypeInfo*>(1);
    EXPECT_EQ(common_->GetTypeInfo(0, 0, &info), DISP_E_BADINDEX);
    EXPECT_EQ(info, nullptr);
}

} // namespace
