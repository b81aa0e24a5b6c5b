#include <gtest/gtest.h>

#include <cstring>

#include "qor/runtime.h"

namespace {

std::uint32_t prefixOf(BSTR b) {
    std::uint32_t bytes;
    std::memcpy(&bytes, reinterpret_cast<const char*>(b) - 4, 4);
    return bytes;
}

TEST(Bstr, LayoutHasByteLengthBeforeAndNulAfter) {
    BSTR b = SysAllocString(u"Quillan");
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(prefixOf(b), 14u);
    EXPECT_EQ(SysStringLen(b), 7u);
    EXPECT_EQ(SysStringByteLen(b), 14u);
    EXPECT_EQ(b[7], u'\0');
    SysFreeString(b);
}

TEST(Bstr, EmbeddedNulCountsInTheLength) {
    const char16_t text[] = {u'a', 0, u'b'};
    BSTR b = SysAllocStringLen(text, 3);
    EXPECT_EQ(SysStringLen(b), 3u);
    EXPECT_EQ(qor::Bstr::toU16(b), std::u16string(text, 3));
    EXPECT_EQ(b[3], u'\0');
    SysFreeString(b);
}

TEST(Bstr, NullStandsForEmpty) {
    EXPECT_EQ(SysStringLen(nullptr), 0u);
    EXPECT_EQ(SysStringByteLen(nullptr), 0u);
    EXPECT_EQ(qor::Bstr::toU16(nullptr), u"");
    EXPECT_EQ(SysAllocString(nullptr), nullptr);
    SysFreeString(nullptr); // harmless
}

TEST(Bstr, AllocatingWithoutTextGivesZeroedRoom) {
    BSTR b = SysAllocStringLen(nullptr, 5);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(SysStringLen(b), 5u);
    for (int i = 0; i <= 5; ++i)
        EXPECT_EQ(b[i], 0) << i;
    SysFreeString(b);
}

TEST(Bstr, LengthThatCannotBeCountedIsRefused) {
    EXPECT_EQ(SysAllocStringLen(nullptr, 0x80000000u), nullptr);
    EXPECT_EQ(SysAllocStringLen(nullptr, 0xFFFFFFFFu), nullptr);
}

TEST(Bstr, OwnerFreesAndHandsOver) {
    qor::Bstr owner(u"text");
    EXPECT_EQ(owner.str(), u"text");
    qor::Bstr moved(std::move(owner));
    EXPECT_EQ(owner.get(), nullptr);
    EXPECT_EQ(moved.str(), u"text");
    BSTR* slot = moved.out();
    EXPECT_EQ(*slot, nullptr);
    *slot = SysAllocString(u"again");
    EXPECT_EQ(moved.str(), u"again");
    BSTR raw = moved.detach();
    EXPECT_EQ(moved.get(), nullptr);
    qor::Bstr back = qor::Bstr::attach(raw);
    EXPECT_EQ(back.str(), u"again");
}

struct Utf8Case {
    std::string utf8;
    std::u16string utf16;
};

class Utf8RoundTrip : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8RoundTrip, ConvertsBothWays) {
    EXPECT_EQ(qor::fromUtf8(GetParam().utf8), GetParam().utf16);
    EXPECT_EQ(qor::toUtf8(GetParam().utf16), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(Texts, Utf8RoundTrip,
                         ::testing::Values(Utf8Case{"", u""}, Utf8Case{"plain", u"plain"},
                                           Utf8Case{"\xC3\xA9t\xC3\xA9", u"\u00E9t\u00E9"},
                                           Utf8Case{"\xE2\x82\xAC", u"\u20AC"},
                                           Utf8Case{"\xF0\x9F\x98\x80", u"\U0001F600"},
                                           Utf8Case{std::string("a\0b", 3),
                                                    std::u16string(u"a\0b", 3)}));

TEST(Utf8, MalformedInputBecomesReplacementCharacters) {
    EXPECT_EQ(qor::fromUtf8("a\x80z"), u"a\uFFFDz");
    EXPECT_EQ(qor::fromUtf8("\xC0\xAF"), u"\uFFFD");     // overlong '/'
    EXPECT_EQ(qor::fromUtf8("\xED\xA0\x80"), u"\uFFFD"); // encoded surrogate
    EXPECT_EQ(qor::fromUtf8("\xE2\x82"), u"\uFFFD");     // cut off
    EXPECT_EQ(qor::fromUtf8("\xE2(x"), u"\uFFFD(x");     // bad continuation kept
    EXPECT_EQ(qor::toUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

} // namespace
