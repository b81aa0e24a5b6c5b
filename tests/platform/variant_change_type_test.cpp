#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>

#include "counting_dispatch.h"
#include "qor_test/variants.h"

namespace {

// A VARIANT value held by a test case; owns its text.
struct Value {
    VARTYPE vt = VT_EMPTY;
    double number = 0;
    std::u16string text;

    VARIANT make() const {
        VARIANT v;
        VariantInit(&v);
        v.vt = vt;
        switch (vt) {
        case VT_I2:
            v.iVal = static_cast<SHORT>(number);
            break;
        case VT_I4:
            v.lVal = static_cast<LONG>(number);
            break;
        case VT_R8:
            v.dblVal = number;
            break;
        case VT_BOOL:
            v.boolVal = number != 0 ? VARIANT_TRUE : VARIANT_FALSE;
            break;
        case VT_ERROR:
            v.scode = static_cast<SCODE>(number);
            break;
        case VT_BSTR:
            v.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
            break;
        default:
            break;
        }
        return v;
    }
};

Value Empty() {
    return {VT_EMPTY, 0, {}};
}
Value Null() {
    return {VT_NULL, 0, {}};
}
Value I2(double n) {
    return {VT_I2, n, {}};
}
Value I4(double n) {
    return {VT_I4, n, {}};
}
Value R8(double n) {
    return {VT_R8, n, {}};
}
Value Bool(bool b) {
    return {VT_BOOL, b ? 1.0 : 0.0, {}};
}
Value Err(SCODE code) {
    return {VT_ERROR, static_cast<double>(code), {}};
}
Value Str(std::u16string s) {
    return {VT_BSTR, 0, std::move(s)};
}

struct Conversion {
    Value from;
    VARTYPE to;
    HRESULT hr;
    Value expected; // when hr is S_OK
};

std::ostream& operator<<(std::ostream& os, const Conversion& c) {
    return os << "vt " << c.from.vt << " (" << c.from.number << ", \"" << qor::toUtf8(c.from.text)
              << "\") -> vt " << c.to;
}

void expectValue(const VARIANT& actual, const Value& expected) {
    ASSERT_EQ(actual.vt, expected.vt);
    switch (expected.vt) {
    case VT_I2:
        EXPECT_EQ(actual.iVal, expected.number);
        break;
    case VT_I4:
        EXPECT_EQ(actual.lVal, expected.number);
        break;
    case VT_R8:
        EXPECT_EQ(actual.dblVal, expected.number);
        break;
    case VT_BOOL:
        EXPECT_EQ(actual.boolVal, expected.number != 0 ? VARIANT_TRUE : VARIANT_FALSE);
        break;
    case VT_BSTR:
        EXPECT_EQ(qor::toUtf8(qor::Bstr::toU16(actual.bstrVal)), qor::toUtf8(expected.text));
        break;
    default:
        break;
    }
}

class ChangeType : public ::testing::TestWithParam<Conversion> {};

TEST_P(ChangeType, ConvertsAsAutomationDoes) {
    const Conversion& c = GetParam();
    VARIANT src = c.from.make();
    VARIANT dst;
    VariantInit(&dst);
    EXPECT_EQ(VariantChangeType(&dst, &src, 0, c.to), c.hr);
    if (c.hr == S_OK)
        expectValue(dst, c.expected);
    else
        EXPECT_EQ(dst.vt, VT_EMPTY); // a failed conversion leaves the destination alone
    VariantClear(&src);
    VariantClear(&dst);
}

const double kHugeR8 = 1e300;

INSTANTIATE_TEST_SUITE_P(
    ToText, ChangeType,
    ::testing::Values(Conversion{Empty(), VT_BSTR, S_OK, Str(u"")},
                      Conversion{Null(), VT_BSTR, DISP_E_TYPEMISMATCH, {}},
                      Conversion{I2(-5), VT_BSTR, S_OK, Str(u"-5")},
                      Conversion{I4(123456), VT_BSTR, S_OK, Str(u"123456")},
                      Conversion{R8(12), VT_BSTR, S_OK, Str(u"12")},
                      Conversion{R8(0.5), VT_BSTR, S_OK, Str(u"0.5")},
                      Conversion{R8(-2.5), VT_BSTR, S_OK, Str(u"-2.5")},
                      Conversion{R8(0.1), VT_BSTR, S_OK, Str(u"0.1")},
                      Conversion{R8(1.0 / 3), VT_BSTR, S_OK, Str(u"0.333333333333333")},
                      Conversion{R8(123456789012345.0), VT_BSTR, S_OK, Str(u"123456789012345")},
                      Conversion{R8(1e15), VT_BSTR, S_OK, Str(u"1E+15")},
                      Conversion{R8(1e20), VT_BSTR, S_OK, Str(u"1E+20")},
                      Conversion{R8(0.0001), VT_BSTR, S_OK, Str(u"0.0001")},
                      Conversion{R8(0.00001), VT_BSTR, S_OK, Str(u"1E-05")},
                      Conversion{R8(-0.0), VT_BSTR, S_OK, Str(u"0")},
                      Conversion{Bool(true), VT_BSTR, S_OK, Str(u"True")},
                      Conversion{Bool(false), VT_BSTR, S_OK, Str(u"False")},
                      Conversion{Err(DISP_E_PARAMNOTFOUND), VT_BSTR, DISP_E_TYPEMISMATCH, {}},
                      Conversion{Str(u"same"), VT_BSTR, S_OK, Str(u"same")}));

INSTANTIATE_TEST_SUITE_P(
    ToNumbers, ChangeType,
    ::testing::Values(
        Conversion{Empty(), VT_I2, S_OK, I2(0)}, Conversion{Empty(), VT_R8, S_OK, R8(0)},
        Conversion{Null(), VT_I4, DISP_E_TYPEMISMATCH, {}}, Conversion{R8(2.5), VT_I2, S_OK, I2(2)},
        Conversion{R8(3.5), VT_I2, S_OK, I2(4)}, Conversion{R8(-187.5), VT_I2, S_OK, I2(-188)},
        Conversion{R8(32767.4), VT_I2, S_OK, I2(32767)},
        Conversion{R8(32767.5), VT_I2, DISP_E_OVERFLOW, {}},
        Conversion{R8(-32768.5), VT_I2, S_OK, I2(-32768)},
        Conversion{R8(-32768.6), VT_I2, DISP_E_OVERFLOW, {}},
        Conversion{R8(kHugeR8), VT_I4, DISP_E_OVERFLOW, {}},
        Conversion{R8(std::numeric_limits<double>::quiet_NaN()), VT_I4, DISP_E_OVERFLOW, {}},
        Conversion{I4(40000), VT_I2, DISP_E_OVERFLOW, {}},
        Conversion{I4(-32768), VT_I2, S_OK, I2(-32768)}, Conversion{I2(-3), VT_R8, S_OK, R8(-3)},
        Conversion{Bool(true), VT_I2, S_OK, I2(-1)}, Conversion{Str(u" 42 "), VT_I2, S_OK, I2(42)},
        Conversion{Str(u"3.5"), VT_I2, S_OK, I2(4)}, Conversion{Str(u"1e3"), VT_I4, S_OK, I4(1000)},
        Conversion{Str(u"+7"), VT_I4, S_OK, I4(7)},
        Conversion{Str(u"-2.25"), VT_R8, S_OK, R8(-2.25)},
        Conversion{Str(u".5"), VT_R8, S_OK, R8(0.5)},
        Conversion{Str(u""), VT_I2, DISP_E_TYPEMISMATCH, {}},
        Conversion{Str(u"  "), VT_R8, DISP_E_TYPEMISMATCH, {}},
        Conversion{Str(u"abc"), VT_I4, DISP_E_TYPEMISMATCH, {}},
        Conversion{Str(u"1,5"), VT_R8, DISP_E_TYPEMISMATCH, {}},
        Conversion{Str(u"1.5.2"), VT_R8, DISP_E_TYPEMISMATCH, {}},
        Conversion{Str(u"-"), VT_R8, DISP_E_TYPEMISMATCH, {}},
        Conversion{Str(u"inf"), VT_R8, DISP_E_TYPEMISMATCH, {}},
        Conversion{Str(u"40000"), VT_I2, DISP_E_OVERFLOW, {}},
        Conversion{Str(u"1e999"), VT_R8, DISP_E_OVERFLOW, {}},
        Conversion{Err(5), VT_I4, DISP_E_TYPEMISMATCH, {}}));

INSTANTIATE_TEST_SUITE_P(ToBoolean, ChangeType,
                         ::testing::Values(Conversion{Empty(), VT_BOOL, S_OK, Bool(false)},
                                           Conversion{I4(-1), VT_BOOL, S_OK, Bool(true)},
                                           Conversion{I2(2), VT_BOOL, S_OK, Bool(true)},
                                           Conversion{R8(0), VT_BOOL, S_OK, Bool(false)},
                                           Conversion{Str(u"True"), VT_BOOL, S_OK, Bool(true)},
                                           Conversion{Str(u" false "), VT_BOOL, S_OK, Bool(false)},
                                           Conversion{Str(u"0"), VT_BOOL, S_OK, Bool(false)},
                                           Conversion{Str(u"-1"), VT_BOOL, S_OK, Bool(true)},
                                           Conversion{
                                               Str(u"yes"), VT_BOOL, DISP_E_TYPEMISMATCH, {}},
                                           Conversion{Null(), VT_BOOL, DISP_E_TYPEMISMATCH, {}}));

INSTANTIATE_TEST_SUITE_P(
    ToOthers, ChangeType,
    ::testing::Values(Conversion{Null(), VT_NULL, S_OK, Null()},
                      Conversion{I2(1), VT_NULL, DISP_E_TYPEMISMATCH, {}},
                      Conversion{I2(1), VT_EMPTY, DISP_E_TYPEMISMATCH, {}},
                      Conversion{I2(1), VT_DISPATCH, DISP_E_TYPEMISMATCH, {}},
                      Conversion{I2(1), VT_DATE, DISP_E_TYPEMISMATCH, {}},
                      Conversion{I2(1), static_cast<VARTYPE>(0x0FFF), DISP_E_BADVARTYPE, {}},
                      Conversion{
                          I2(1), static_cast<VARTYPE>(VT_I2 | VT_BYREF), DISP_E_BADVARTYPE, {}}));

using qor::test::vObject;

// Hexadecimal and octal literals, numbers too small for a double, and the classic
// spellings of infinities and NaNs.
INSTANTIATE_TEST_SUITE_P(
    ClassicLiterals, ChangeType,
    ::testing::Values(
        Conversion{Str(u"&H7FFF"), VT_I2, S_OK, I2(32767)},
        Conversion{Str(u"&h10"), VT_I4, S_OK, I4(16)},
        Conversion{Str(u" &HFFFF "), VT_I2, S_OK, I2(-1)},
        Conversion{Str(u"&H8000"), VT_I4, S_OK, I4(-32768)},
        Conversion{Str(u"&H10000"), VT_I4, S_OK, I4(65536)},
        Conversion{Str(u"&HFFFFFFFF"), VT_R8, S_OK, R8(-1)},
        Conversion{Str(u"&H100000000"), VT_I4, DISP_E_OVERFLOW, {}},
        Conversion{Str(u"&O17"), VT_I2, S_OK, I2(15)},
        Conversion{Str(u"&O8"), VT_I2, DISP_E_TYPEMISMATCH, {}},
        Conversion{Str(u"&H"), VT_I2, DISP_E_TYPEMISMATCH, {}},
        Conversion{Str(u"&HG1"), VT_I2, DISP_E_TYPEMISMATCH, {}},
        Conversion{Str(u"&X1"), VT_I2, DISP_E_TYPEMISMATCH, {}},
        Conversion{Str(u"1e-400"), VT_R8, S_OK, R8(0)},
        Conversion{Str(u"-1e-400"), VT_I4, S_OK, I4(0)},
        Conversion{Str(u"0.0000000000000000000000000000000000000000000000000000000000000000000"
                       u"00000000000000000000000000000000000000000000000000000000000000000000"
                       u"00000000000000000000000000000000000000000000000000000000000000000000"
                       u"00000000000000000000000000000000000000000000000000000000000000000000"
                       u"00000000000000000000000000000000000000000000000000000000000000000001"),
                   VT_R8, S_OK, R8(0)},
        Conversion{Str(u"123e-400"), VT_R8, S_OK, R8(0)},
        Conversion{Str(u"1e400"), VT_R8, DISP_E_OVERFLOW, {}},
        Conversion{Str(u"0.01e311"), VT_R8, DISP_E_OVERFLOW, {}},
        Conversion{R8(std::numeric_limits<double>::infinity()), VT_BSTR, S_OK, Str(u"1.#INF")},
        Conversion{R8(-std::numeric_limits<double>::infinity()), VT_BSTR, S_OK, Str(u"-1.#INF")},
        Conversion{R8(std::numeric_limits<double>::quiet_NaN()), VT_BSTR, S_OK, Str(u"1.#QNAN")},
        Conversion{R8(-std::numeric_limits<double>::quiet_NaN()), VT_BSTR, S_OK, Str(u"-1.#IND")},
        Conversion{Str(u"1.#INF"), VT_R8, S_OK, R8(std::numeric_limits<double>::infinity())},
        Conversion{Str(u"-1.#inf"), VT_R8, S_OK, R8(-std::numeric_limits<double>::infinity())},
        Conversion{Str(u"1.#INF"), VT_I4, DISP_E_OVERFLOW, {}},
        Conversion{Str(u"1.#IN"), VT_R8, DISP_E_TYPEMISMATCH, {}}));

// Every double written as text reads back as the same double (NaNs as a NaN of the same
// sign).
TEST(ChangeTypeRoundTrip, DoublesSurviveText) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const double d :
         {0.5, -2.25, 1e300, -1e-300, 4.9e-324, 1.5e308, std::numeric_limits<double>::infinity(),
          -std::numeric_limits<double>::infinity(), nan, -nan}) {
        VARIANT text;
        VariantInit(&text);
        VARIANT number = qor::test::vR8(d);
        ASSERT_EQ(VariantChangeType(&text, &number, 0, VT_BSTR), S_OK) << d;
        VARIANT back;
        VariantInit(&back);
        ASSERT_EQ(VariantChangeType(&back, &text, 0, VT_R8), S_OK)
            << qor::toUtf8(qor::Bstr::toU16(text.bstrVal));
        if (std::isnan(d)) {
            EXPECT_TRUE(std::isnan(back.dblVal));
            EXPECT_EQ(std::signbit(back.dblVal), std::signbit(d));
        } else if (std::isinf(d)) {
            EXPECT_EQ(back.dblVal, d);
        } else {
            // 15 significant digits, as automation writes them.
            EXPECT_NEAR(back.dblVal, d, std::abs(d) * 1e-14) << d;
        }
        VariantClear(&text);
    }
}

// A variant by reference that points at itself, or at another variant by reference, is
// refused instead of followed for ever.
TEST(ChangeTypeForms, NestedVariantReferencesAreRefused) {
    VARIANT self;
    self.vt = VT_BYREF | VT_VARIANT;
    self.pvarVal = &self;
    VARIANT outer = qor::test::vByRef(VT_VARIANT, &self);
    VARIANT i4 = qor::test::vI4(7);
    VARIANT toValue = qor::test::vByRef(VT_VARIANT, &i4);
    VARIANT chain = qor::test::vByRef(VT_VARIANT, &toValue);
    for (VARIANT* src : {&self, &outer, &chain}) {
        VARIANT dst;
        VariantInit(&dst);
        EXPECT_EQ(VariantCopyInd(&dst, src), E_INVALIDARG);
        EXPECT_EQ(VariantChangeType(&dst, src, 0, VT_BSTR), E_INVALIDARG);
        EXPECT_EQ(dst.vt, VT_EMPTY);
    }
    VARIANT dst;
    VariantInit(&dst);
    EXPECT_EQ(VariantChangeType(&dst, &toValue, 0, VT_I2), S_OK); // one level is followed
    EXPECT_EQ(dst.iVal, 7);
}

TEST(ChangeTypeObjects, ObjectConvertsThroughItsDefaultValue) {
    VARIANT def;
    VariantInit(&def);
    def.vt = VT_I4;
    def.lVal = 5;
    CountingDispatch obj(def);
    VARIANT src = vObject(&obj);
    VARIANT dst;
    VariantInit(&dst);
    ASSERT_EQ(VariantChangeType(&dst, &src, 0, VT_BSTR), S_OK);
    expectValue(dst, Str(u"5"));
    VariantClear(&dst);
    ASSERT_EQ(VariantChangeType(&dst, &src, 0, VT_I2), S_OK);
    expectValue(dst, I2(5));
    EXPECT_EQ(VariantChangeType(&dst, &src, VARIANT_NOVALUEPROP, VT_BSTR), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(obj.references(), 1u); // nothing kept
}

TEST(ChangeTypeObjects, ObjectWithoutDefaultValueIsATypeMismatch) {
    CountingDispatch obj;
    VARIANT src = vObject(&obj);
    VARIANT dst;
    VariantInit(&dst);
    EXPECT_EQ(VariantChangeType(&dst, &src, 0, VT_BSTR), DISP_E_TYPEMISMATCH);
    VARIANT none = vObject(nullptr);
    EXPECT_EQ(VariantChangeType(&dst, &none, 0, VT_BSTR), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(obj.references(), 1u);
}

TEST(ChangeTypeObjects, ObjectToObjectShares) {
    CountingDispatch obj;
    VARIANT src = vObject(&obj);
    VARIANT dst;
    VariantInit(&dst);
    ASSERT_EQ(VariantChangeType(&dst, &src, 0, VT_UNKNOWN), S_OK);
    EXPECT_EQ(dst.vt, VT_UNKNOWN);
    EXPECT_EQ(obj.references(), 2u);
    VARIANT back;
    VariantInit(&back);
    ASSERT_EQ(VariantChangeType(&back, &dst, 0, VT_DISPATCH), S_OK);
    EXPECT_EQ(back.pdispVal, &obj);
    VariantClear(&back);
    VariantClear(&dst);
    EXPECT_EQ(obj.references(), 1u);
}

TEST(ChangeTypeForms, ByReferenceSourceIsFollowed) {
    LONG number = -17;
    VARIANT ref;
    VariantInit(&ref);
    ref.vt = VT_I4 | VT_BYREF;
    ref.plVal = &number;
    VARIANT dst;
    VariantInit(&dst);
    ASSERT_EQ(VariantChangeType(&dst, &ref, 0, VT_BSTR), S_OK);
    expectValue(dst, Str(u"-17"));
    VariantClear(&dst);
}

TEST(ChangeTypeForms, ConvertsInPlaceAndFreesTheOldValue) {
    VARIANT v = Str(u"12").make();
    ASSERT_EQ(VariantChangeType(&v, &v, 0, VT_I4), S_OK);
    expectValue(v, I4(12));
    VARIANT w = Str(u"oops").make();
    EXPECT_EQ(VariantChangeType(&w, &w, 0, VT_I4), DISP_E_TYPEMISMATCH);
    expectValue(w, Str(u"oops")); // left as it was
    VariantClear(&w);
}

} // namespace
