// "quillan-blend best": the mix for a depth as lines and as JSON, the exit status when no mix
// meets the limits or the input is bad, and the MOD at the diver's PO2 in the blend report.
#include "blend_process.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using blendtest::lines;
using blendtest::linesAfterDate;
using blendtest::runBlend;

namespace {

struct BestRun {
    const char* name;
    std::vector<std::string> arguments;
    int status;
    std::vector<std::string> out;
};

class Best : public testing::TestWithParam<BestRun> {};

TEST_P(Best, PrintsAndExits) {
    const BestRun& c = GetParam();
    const auto run = runBlend(c.arguments);
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_EQ(lines(run.out), c.out);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Best,
    testing::Values(
        BestRun{"MetricWithCylinderAtHand",
                {"best", "--depth", "60", "--units", "metric", "--have", "0/21", "--fill", "200",
                 "--top", "50"},
                0,
                {"Best mix: Trimix 20/46", "O2 20 %, He 46 %", "MOD 60 m at PO2 1.4", "END 28 m",
                 "Density 5.17 g/L", "Limits reached: PO2, density",
                 "Not blendable: Mix can't be created using current parameters"}},
        // 330 ft is 11 atmospheres, as 100 m: the same 12/72, hypoxic above 11 fsw.
        BestRun{"FeetHypoxic",
                {"best", "--depth", "330", "--end", "100"},
                0,
                {"Best mix: Trimix 12/72", "O2 12 %, He 72 %", "MOD 352 fsw at PO2 1.4",
                 "END 69 fsw", "Density 5.12 g/L", "Limits reached: PO2, density",
                 "Hypoxic at the surface: breathe it from 11 fsw down"}},
        BestRun{"NoMixExitsOne",
                {"best", "--depth", "40", "--units", "metric", "--end", "0"},
                1,
                {"No mix meets every limit: END is 4.0 m over it"}},
        BestRun{"PO2OutOfRangeExitsTwo", {"best", "--depth", "60", "--po2", "1.7"}, 2, {}},
        BestRun{"NarcoticIsYesOrNo", {"best", "--depth", "60", "--o2-narcotic", "maybe"}, 2, {}},
        BestRun{"DensityPastTheHardLimit", {"best", "--depth", "60", "--density", "6.3"}, 2, {}}),
    [](const testing::TestParamInfo<BestRun>& info) { return std::string(info.param.name); });

TEST(Best, JsonNamesTheBindingLimitsAndHypoxicDepth) {
    const auto run = runBlend({"best", "--depth", "100", "--units", "metric", "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto json = nlohmann::json::parse(run.out);
    EXPECT_EQ(json["o2"], 12);
    EXPECT_EQ(json["he"], 72);
    EXPECT_EQ(json["mod"], 106);
    EXPECT_EQ(json["end"], 21);
    EXPECT_EQ(json["density"], 5.12);
    EXPECT_EQ(json["binding"], nlohmann::json({"po2", "density"}));
    EXPECT_EQ(json["hypoxic_above"], 4);
}

TEST(Best, JsonWithoutAMixSaysWhyNot) {
    const auto run =
        runBlend({"best", "--depth", "40", "--units", "metric", "--end", "0", "--json"});
    EXPECT_EQ(run.status, 1);
    const auto json = nlohmann::json::parse(run.out);
    EXPECT_EQ(json["possible"], false);
    EXPECT_EQ(json["why_not"], "No mix meets every limit: END is 4.0 m over it");
}

TEST(ModAtPO2, FollowsTheMODLineOnlyWhenAsked) {
    const std::vector<std::string> blend{"--have", "500/21", "--want", "3000/32"};
    auto asked = blend;
    asked.insert(asked.end(), {"--mod-po2", "1.4"});
    const auto plain = linesAfterDate(runBlend(blend).out);
    auto expected = plain;
    expected.insert(std::find(expected.begin(), expected.end(), "MOD 132 fsw") + 1,
                    "MOD at PO2 1.4 111 fsw");
    EXPECT_EQ(linesAfterDate(runBlend(asked).out), expected);

    asked.push_back("--json");
    const auto json = nlohmann::json::parse(runBlend(asked).out);
    EXPECT_EQ(json["mod_at"], nlohmann::json({{"po2", 1.4}, {"depth", 111}}));
    auto plainJson = blend;
    plainJson.push_back("--json");
    EXPECT_FALSE(nlohmann::json::parse(runBlend(plainJson).out).contains("mod_at"));
}

} // namespace
