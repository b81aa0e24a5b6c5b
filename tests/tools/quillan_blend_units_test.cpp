// --units: metric blends in bar and metres, ranges and messages in those units, and the
// PSI default unchanged when it is asked for by name.
#include "blend_process.h"

#include <gtest/gtest.h>

using blendtest::lines;
using blendtest::linesAfterDate;
using blendtest::runBlend;

namespace {

TEST(Units, MetricBlendIsInBarAndMetres) {
    const auto run =
        runBlend({"--units", "metric", "--have", "0/0", "--want", "200/21/35", "--depth", "40"});
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string separator(109, '-');
    const std::vector<std::string> expected{
        "Calculate [Empty cylinder] to Trimix 21/35 by adding He, O2 and Air",
        separator,
        "Mixing",
        separator,
        "Starting [Empty cylinder] bar should be 0",
        "Add 70 bar of He",
        "Add 19 bar of O2",
        "Add 111 bar of Air",
        "Ending bar should be 200",
        "",
        "Final Mix: Trimix 21/35",
        separator,
        "MOD 66 m",
        "PO2 1.60",
        "END 32 m",
        "",
        "At 40 m: END 18 m, PO2 1.05"};
    EXPECT_EQ(linesAfterDate(run.out), expected);
}

TEST(Units, ImperialByNameIsTheDefault) {
    const std::vector<std::string> arguments{"--have", "500/21/35", "--want",  "3000/21/35",
                                             "--top",  "32",        "--depth", "132"};
    auto named = arguments;
    named.insert(named.begin(), {"--units", "imperial"});
    const auto byName = runBlend(named);
    EXPECT_EQ(byName.status, 0);
    EXPECT_EQ(linesAfterDate(byName.out), linesAfterDate(runBlend(arguments).out));
}

TEST(Units, MetricRangesAndMessagesNameBarAndMetres) {
    struct Case {
        std::vector<std::string> arguments;
        std::string message; // empty: accepted
    };
    const Case cases[] = {
        {{"--have", "276/21", "--want", "300/32"},
         "--have 276/21: starting pressure must be a whole number from 0 to 275 bar"},
        {{"--have", "275/21", "--want", "310/32"}, ""},
        {{"--have", "0/21", "--want", "311/32"},
         "--want 311/32: required pressure must be a whole number from 0 to 310 bar"},
        {{"--have", "0/21", "--fill", "310.6"},
         "--fill 310.6: required pressure must be a whole number from 0 to 310 bar"},
        {{"--have", "0/21", "--want", "200/32", "--depth", "153"},
         "--depth 153: target depth must be a whole number from 0 to 152 m"},
        {{"--have", "0/21", "--want", "200/32", "--depth", "152"}, ""},
        // Percentages do not depend on the units.
        {{"--have", "0/101", "--want", "200/32"},
         "--have 0/101: starting O2 must be a whole number from 0 to 100"},
        // 3000 PSI is no pressure in bar.
        {{"--have", "0/21", "--want", "3000/32"},
         "--want 3000/32: required pressure must be a whole number from 0 to 310 bar"},
    };
    for (const Case& c : cases) {
        auto arguments = c.arguments;
        arguments.insert(arguments.begin(), {"--units", "metric"});
        const auto run = runBlend(arguments);
        SCOPED_TRACE(c.message);
        if (c.message.empty()) {
            EXPECT_NE(run.status, 2) << run.err;
            continue;
        }
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        ASSERT_FALSE(lines(run.err).empty());
        EXPECT_EQ(lines(run.err)[0], "quillan-blend: " + c.message);
    }
}

TEST(Units, OnlyImperialOrMetric) {
    const auto run = runBlend({"--units", "Metric", "--have", "0/21", "--want", "200/32"});
    EXPECT_EQ(run.status, 2);
    ASSERT_FALSE(lines(run.err).empty());
    EXPECT_EQ(lines(run.err)[0], "quillan-blend: --units Metric: units are imperial (PSI and "
                                 "feet) or metric (bar and metres)");
}

} // namespace
