// Banks on the command line: the plan's lines stay as they were when the banks supply without
// limit, the JSON says which bank each step opens, and a trimix bank is a top-up gas.
#include "blend_process.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <algorithm>

using namespace blendtest;

namespace {

const std::vector<std::string> kTrimix{"--units", "metric",    "--have",     "0/0",
                                       "--want",  "200/18/45", "--cylinder", "12L@232"};

std::vector<std::string> with(std::vector<std::string> base, std::vector<std::string> more) {
    base.insert(base.end(), more.begin(), more.end());
    return base;
}

TEST(Banks, UnlimitedSupplyLeavesThePlanAsItWas) {
    const auto plain = linesAfterDate(runBlend(kTrimix).out);
    const auto banked =
        linesAfterDate(runBlend(with(kTrimix, {"--bank", "top:compressor:air@300"})).out);
    ASSERT_LT(plain.size(), banked.size());
    EXPECT_TRUE(std::equal(plain.begin(), plain.end(), banked.begin()));
}

TEST(Banks, JsonNamesTheBanksInTheOrderGiven) {
    const Finished run = runBlend(with(
        kTrimix, {"--bank", "oxygen:50L@150", "--bank", "helium:50L@100", "--booster", "--json"}));
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json plan = nlohmann::json::parse(run.out);
    const auto& steps = plan.at("steps");
    ASSERT_GE(steps.size(), 3u);
    EXPECT_EQ(steps[0].at("gas"), "helium");
    EXPECT_EQ(steps[0].at("bank"), 1);
    EXPECT_FALSE(steps[1].at("boosted").is_null()); // 50 L at 100 bar cannot reach 90 bar
    EXPECT_EQ(plan.at("banks_after").size(), 2u);
    EXPECT_GE(plan.at("banks_after")[0].get<double>(), 10.0); // never below the minimum
}

TEST(Banks, TrimixTopUpAndOxygenFirst) {
    const Finished run =
        runBlend(with(kTrimix, {"--bank", "top:21/35:2x50L@230", "--order", "o2-first"}));
    ASSERT_EQ(run.status, 0) << run.err;
    const auto shown = lines(run.out);
    EXPECT_EQ(shown[1], "Calculate [Empty cylinder] to Trimix 18/45 by adding He, O2 and "
                        "Trimix 21/35");
    const auto oxygen = std::find_if(shown.begin(), shown.end(),
                                     [](const std::string& l) { return l.rfind("O2: ", 0) == 0; });
    const auto helium = std::find_if(shown.begin(), shown.end(),
                                     [](const std::string& l) { return l.rfind("He: ", 0) == 0; });
    ASSERT_TRUE(oxygen != shown.end() && helium != shown.end());
    EXPECT_LT(oxygen, helium);
}

TEST(Banks, NeedACylinder) {
    const Finished run =
        runBlend({"--have", "0/0", "--want", "3000/32", "--bank", "oxygen:50L@150"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("need --cylinder"), std::string::npos);
}

} // namespace
