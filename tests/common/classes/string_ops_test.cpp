#include <gtest/gtest.h>

#include "common_ops.h"
#include "expect_error.h"
#include "qor/runtime.h"

namespace qor::common {
namespace {

using test::expectError;

TEST(EmptyStringToZero, TrimsBlanksAndTurnsNothingIntoZero) {
    const struct {
        std::u16string_view in;
        std::u16string_view out;
    } cases[] = {{u"", u"0"},       {u"   ", u"0"},     {u" 7 ", u"7"},
                 {u"\t7 ", u"\t7"}, {u" a b ", u"a b"}, {u"x", u"x"}};
    for (const auto& c : cases)
        EXPECT_EQ(toUtf8(EmptyStringToZero(c.in)), toUtf8(c.out)) << toUtf8(c.in);
}

class VariantValue {
  public:
    VariantValue() { VariantInit(&v_); }
    ~VariantValue() { VariantClear(&v_); }
    VariantValue(const VariantValue&) = delete;
    VariantValue& operator=(const VariantValue&) = delete;
    VARIANT& get() { return v_; }

  private:
    VARIANT v_;
};

TEST(NulltoString, ConvertsAsAutomationDoes) {
    VariantValue null;
    null.get().vt = VT_NULL;
    EXPECT_EQ(toUtf8(NulltoString(null.get())), "");

    VariantValue empty;
    EXPECT_EQ(toUtf8(NulltoString(empty.get())), "");

    VariantValue twelve;
    twelve.get().vt = VT_I2;
    twelve.get().iVal = 12;
    EXPECT_EQ(toUtf8(NulltoString(twelve.get())), "12");

    VariantValue half;
    half.get().vt = VT_R8;
    half.get().dblVal = -0.5;
    EXPECT_EQ(toUtf8(NulltoString(half.get())), "-0.5");

    VariantValue text;
    text.get().vt = VT_BSTR;
    text.get().bstrVal = SysAllocString(u"a\0b");
    EXPECT_EQ(toUtf8(NulltoString(text.get())), "a");

    VariantValue yes;
    yes.get().vt = VT_BOOL;
    yes.get().boolVal = VARIANT_TRUE;
    EXPECT_EQ(toUtf8(NulltoString(yes.get())), "True");
}

TEST(NulltoString, FollowsAReferenceToNull) {
    VARIANT null;
    VariantInit(&null);
    null.vt = VT_NULL;
    VARIANT ref;
    VariantInit(&ref);
    ref.vt = VT_BYREF | VT_VARIANT;
    ref.pvarVal = &null;
    EXPECT_EQ(toUtf8(NulltoString(ref)), "");
}

TEST(NulltoString, ValueWithoutTextFormIsTypeMismatch) {
    VariantValue failure;
    failure.get().vt = VT_ERROR;
    failure.get().scode = DISP_E_PARAMNOTFOUND;
    try {
        NulltoString(failure.get());
        ADD_FAILURE() << "no error raised";
    } catch (const AutomationError& err) {
        EXPECT_EQ(err.number, kErrTypeMismatch);
        EXPECT_EQ(toUtf8(err.description), "Type mismatch");
    }
}

TEST(RemoveSpaces, KeepsAtMostCounterMinusOneBlanksPerRun) {
    const struct {
        std::u16string_view in;
        std::int16_t counter;
        std::u16string_view out;
    } cases[] = {{u" a   b  c ", 2, u"a b c"},
                 {u" a   b  c ", 3, u"a  b  c"},
                 {u" a   b  c ", 1, u"abc"},
                 {u" a   b  c ", 0, u"abc"},
                 {u" a   b  c ", -5, u"abc"},
                 {u"a\t\tb", 1, u"a\t\tb"},
                 {u"", 2, u""},
                 {u"     ", 2, u""},
                 {u"a    b", 32767, u"a    b"}};
    for (const auto& c : cases)
        EXPECT_EQ(toUtf8(RemoveSpaces(c.in, c.counter)), toUtf8(c.out))
            << toUtf8(c.in) << " / " << c.counter;
}

TEST(RemoveSpaces, TrimmedTextBeyondSixteenBitsOverflowsWithItsPrefix) {
    const std::u16string longest(32767, u'x');
    EXPECT_EQ(RemoveSpaces(u"  " + longest + u"  ", 2).size(), 32767u);
    expectError([] { RemoveSpaces(std::u16string(32768, u'x'), 2); }, kErrOverflow,
                u"QorCommon1.Common.RemoveSpaces; QorCommon1", u"Overflow");
}

TEST(PadString, PadsTruncatesOrFillsWithoutAnyMessage) {
    const struct {
        std::u16string_view in;
        std::int16_t length;
        std::u16string_view pad;
        std::int32_t dir;
        bool truncate;
        std::u16string_view out;
    } cases[] = {
        {u"abc", 6, u"0", 0, false, u"000abc"},
        {u"abc", 6, u"0", 1, false, u"abc000"},
        {u"abc", 6, u"0", 2, false, u""},
        {u"abc", 3, u"0", 0, false, u"abc"},
        {u"abcdef", 4, u"0", 0, true, u"abcd"},
        {u"abcdef", 0, u"0", 1, true, u""},
        {u"", 3, u"*", 0, false, u"***"},
        {u"", 3, u"*", 1, false, u"***"},
        {u"", 3, u"*", 7, false, u"***"},
        {u"", 0, u"*", 0, false, u""},
        {u"ab", 4, std::u16string_view(u"\0", 1), 0, false, std::u16string_view(u"\0\0ab", 4)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PadString(c.in, c.length, c.pad, c.dir, c.truncate), c.out)
            << toUtf8(c.in) << " / " << c.length;
}

TEST(StripTerminator, CutsAtTheFirstNul) {
    const struct {
        std::u16string_view in;
        std::u16string_view out;
    } cases[] = {{std::u16string_view(u"abc\0def", 7), u"abc"},
                 {u"abc", u"abc"},
                 {std::u16string_view(u"\0abc", 4), u""},
                 {u"", u""}};
    for (const auto& c : cases)
        EXPECT_EQ(StripTerminator(c.in), c.out);
}

TEST(StripTerminator, NulBeyondSixteenBitsOverflowsUnchanged) {
    std::u16string text(32766, u'a');
    text.push_back(u'\0');
    EXPECT_EQ(StripTerminator(text).size(), 32766u);
    text = u"a" + text;
    expectError([&] { StripTerminator(text); }, kErrOverflow, u"QorCommon1", u"Overflow");
    // Without a NUL the length does not matter.
    EXPECT_EQ(StripTerminator(std::u16string(40000, u'a')).size(), 40000u);
}

} // namespace
} // namespace qor::common
