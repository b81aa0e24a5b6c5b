#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "expect_error.h"
#include "geo_support.h"

namespace qor::geo {
namespace {

constexpr std::int32_t kLat = 0;
constexpr std::int32_t kLon = 1;

TEST(DMSEnum, EachCallGivesItsOwnTwoItemCollection) {
    Collection* first = DMSEnum();
    Collection* second = DMSEnum();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(first, second);
    for (Collection* c : {first, second}) {
        LONG count = 0;
        ASSERT_EQ(c->Count(&count), S_OK);
        EXPECT_EQ(count, 2);
        const char16_t* names[] = {u"DECIMAL_DEGREES", u"DMS"};
        for (int position = 1; position <= 2; ++position) {
            VARIANT index;
            VariantInit(&index);
            index.vt = VT_I4;
            index.lVal = position;
            VARIANT item;
            VariantInit(&item);
            ASSERT_EQ(c->Item(&index, &item), S_OK);
            ASSERT_EQ(item.vt, VT_BSTR);
            EXPECT_EQ(Bstr::toU16(item.bstrVal), names[position - 1]);
            VariantClear(&item);

            // Each text is its own key.
            const Bstr key(names[position - 1]);
            VARIANT byKey;
            VariantInit(&byKey);
            byKey.vt = VT_BSTR;
            byKey.bstrVal = key.get();
            ASSERT_EQ(c->Item(&byKey, &item), S_OK);
            EXPECT_EQ(Bstr::toU16(item.bstrVal), names[position - 1]);
            VariantClear(&item);
        }
    }
    // Changing one leaves the other as it was.
    VARIANT index;
    VariantInit(&index);
    index.vt = VT_I4;
    index.lVal = 1;
    ASSERT_EQ(first->Remove(&index), S_OK);
    LONG count = 0;
    second->Count(&count);
    EXPECT_EQ(count, 2);
    first->Release();
    second->Release();
}

TEST(ValidateGeoCoordinate, ReturnsThePassingValueAndZeroForEveryFailure) {
    const struct {
        std::int32_t type;
        std::u16string_view text;
        double result;
    } cases[] = {
        {kLat, u"45.5", 45.5}, {kLat, u" -12 ", -12},   {kLat, u"91", 91},
        {kLat, u"-91", -91},   {kLat, u"91.5", 0},      {kLat, u"-91.0001", 0},
        {kLat, u"abc", 0},     {kLat, u"", 0},          {kLat, u"4,5", 0},
        {kLon, u"181", 181},   {kLon, u"-181.0001", 0}, {kLon, u"120.25", 120.25},
        {kLon, u"1e2", 100},   {kLat, u"1e400", 0},     {7, u"500", 500},
        {kLat, u"+.5", 0.5},   {kLat, u"5.", 5},        {kLat, u".", 0},
        {kLat, u"0x10", 0},    {kLat, u"inf", 0},       {kLat, u"nan", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ValidateGeoCoordinate(c.type, c.text), c.result) << toUtf8(c.text);
}

TEST(DMStoDecimalDegrees, ReadsFixedFieldsAndHemisphere) {
    const struct {
        std::int32_t type;
        std::u16string_view text;
        double result;
    } cases[] = {
        {kLat, u"45301525N", 45.0 + 30.0 / 60 + 15.25 / 3600},
        {kLat, u"45301525S", -(45.0 + 30.0 / 60 + 15.25 / 3600)},
        {kLon, u"073301550W", -(73.0 + 30.0 / 60 + 15.50 / 3600)},
        {kLon, u"073301550E", 73.0 + 30.0 / 60 + 15.50 / 3600},
        {kLon, u"180000000E", 180},
        {kLat, u"00000000N", 0},
        {kLat, u"45301525NXYZ", 45.0 + 30.0 / 60 + 15.25 / 3600},
        {kLat, u"45301525n", 0},
        {kLat, u"45301525E", 0},
        {kLat, u"45301525 ", 0},
        {kLat, u"45301525", 0},
        {kLat, u"4530N", 0},
        {kLat, u"4A301525N", 0},
        {kLat, u"", 0},
        {2, u"45301525N", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DMStoDecimalDegrees(c.type, c.text), c.result) << toUtf8(c.text);
}

TEST(ConvertImpliedDecimals, PutsThePointBeforeTheLastDigits) {
    const struct {
        std::u16string_view text;
        std::int16_t decimals;
        double result;
    } cases[] = {
        {u"", 2, 0},           {u"12345", 2, 123.45}, {u"45", 2, 0.45},   {u"-12345", 2, -123.45},
        {u"000", 2, 0},        {u"7", 3, 0},          {u"123", 3, 0.123}, {u"12.5", 0, 12.5},
        {u"abc", 0, 0},        {u"12.5", 1, 0},       {u"-5", 2, 0},      {u"123", -1, 123},
        {u"123", -32768, 123}, {u"abc", 2, 0},        {u"12", 32767, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ConvertImpliedDecimals(c.text, c.decimals), c.result)
            << toUtf8(c.text) << " / " << c.decimals;
}

TEST(ComputeLineAngle, BearingsWithTheSinglePrecisionPi) {
    const struct {
        double x;
        double y;
        std::int16_t bearing;
    } cases[] = {
        {0, 0, 0},       {0, 5, 0},        {5, 0, 90},     {0, -5, 180},   {-5, 0, 270},
        {1, 1, 45},      {1, -1, 135},     {-1, -1, 225},  {-1, 1, 315},   {3, 4, 36},
        {4, 3, 53},      {0.5, 0.5, 0},    {-0.5, 3, 341}, {10000, 1, 90}, {100, -1, 90},
        {-1, 1000, 359}, {-1, 10000, 360}, {-0.5, 0, 270}, {0, -0.5, 180}, {1e300, 1e300, 45},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ComputeLineAngle(c.x, c.y), c.bearing) << c.x << ", " << c.y;
}

TEST(ComputeLineAngle, InputWithoutADirectionGivesZero) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(ComputeLineAngle(inf, inf), 0);
    EXPECT_EQ(ComputeLineAngle(nan, 1), 0);
    EXPECT_EQ(ComputeLineAngle(nan, nan), 0);
}

TEST(ShotPointSortValue, IsAlwaysEmpty) {
    EXPECT_EQ(ShotPointSortValue(u"1001.5", 10, false), u"");
    EXPECT_EQ(ShotPointSortValue(u"", -1, true), u"");
}

} // namespace
} // namespace qor::geo
