#include <gtest/gtest.h>

#include "qor/runtime.h"

namespace {

struct KnownIid {
    const IID* iid;
    const char16_t* text;
};

class StandardIids : public ::testing::TestWithParam<KnownIid> {};

TEST_P(StandardIids, HaveTheirPublishedValues) {
    OLECHAR text[39];
    ASSERT_EQ(StringFromGUID2(*GetParam().iid, text, 39), 39);
    EXPECT_EQ(std::u16string(text), GetParam().text);
    CLSID back{};
    ASSERT_EQ(CLSIDFromString(GetParam().text, &back), S_OK);
    EXPECT_EQ(back, *GetParam().iid);
}

INSTANTIATE_TEST_SUITE_P(
    All, StandardIids,
    ::testing::Values(KnownIid{&IID_IUnknown, u"{00000000-0000-0000-C000-000000000046}"},
                      KnownIid{&IID_IDispatch, u"{00020400-0000-0000-C000-000000000046}"},
                      KnownIid{&IID_IClassFactory, u"{00000001-0000-0000-C000-000000000046}"},
                      KnownIid{&IID_IEnumVARIANT, u"{00020404-0000-0000-C000-000000000046}"},
                      KnownIid{&IID_IErrorInfo, u"{1CF2B120-547D-101B-8E65-08002B2BD119}"},
                      KnownIid{&IID_ICreateErrorInfo, u"{22F03340-547D-101B-8E65-08002B2BD119}"},
                      KnownIid{&IID_ISupportErrorInfo, u"{DF0B3D60-548F-101B-8E65-08002B2BD119}"},
                      KnownIid{&IID_ErrObject, u"{A4C466B8-499F-101B-BB78-00AA00383CBB}"},
                      KnownIid{&IID_Collection, u"{A4C46780-499F-101B-BB78-00AA00383CBB}"},
                      KnownIid{&IID_NULL, u"{00000000-0000-0000-0000-000000000000}"}));

TEST(GuidText, ReadsLowerCaseHex) {
    CLSID g{};
    ASSERT_EQ(CLSIDFromString(u"{a4c466b8-499f-101b-bb78-00aa00383cbb}", &g), S_OK);
    EXPECT_EQ(g, IID_ErrObject);
}

TEST(GuidText, RejectsMalformedText) {
    for (const char16_t* bad :
         {u"", u"A4C466B8-499F-101B-BB78-00AA00383CBB", u"{A4C466B8-499F-101B-BB78-00AA00383CB}",
          u"{A4C466B8-499F-101B-BB78-00AA00383CBBX}", u"{A4C466B8-499F-101B-BB7800AA00383CBB}",
          u"{G4C466B8-499F-101B-BB78-00AA00383CBB}", u"{A4C466B8-499F-101B-BB78-00AA00383CBB} "}) {
        CLSID g{};
        EXPECT_EQ(CLSIDFromString(bad, &g), CO_E_CLASSSTRING)
            << std::string(bad, bad + std::char_traits<char16_t>::length(bad));
    }
}

TEST(GuidText, RefusesABufferTooSmall) {
    OLECHAR text[38];
    EXPECT_EQ(StringFromGUID2(IID_IUnknown, text, 38), 0);
}

} // namespace
