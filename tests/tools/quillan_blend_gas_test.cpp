// quillan-blend --gas: the real-gas report and its JSON readings, in PSI and in bar, ideal gas
// left as it was, and a model it does not know.
#include "blend_process.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <string>
#include <vector>

using blendtest::Finished;
using blendtest::lines;
using blendtest::linesAfterDate;
using blendtest::runBlend;

namespace {

bool shows(const std::vector<std::string>& shown, const std::string& line) {
    return std::find(shown.begin(), shown.end(), line) != shown.end();
}

TEST(GasModel, IdealIsTheDefaultAndUnchanged) {
    const std::vector<std::vector<std::string>> requests{
        {"--have", "0/0", "--want", "3000/18/45", "--json"},
        {"--have", "1000/80", "--want", "3000/32"},
        {"--have", "1000/18/45", "--fill", "3000", "--top", "32", "--depth", "99"},
    };
    for (std::vector<std::string> request : requests) {
        const Finished plain = runBlend(request);
        request.insert(request.end(), {"--gas", "ideal"});
        const Finished ideal = runBlend(request);
        EXPECT_EQ(ideal.status, plain.status);
        if (request[request.size() - 3] == "--json") {
            nlohmann::json idealPlan = nlohmann::json::parse(ideal.out);
            nlohmann::json plainPlan = nlohmann::json::parse(plain.out);
            idealPlan.at("report").erase(0);
            plainPlan.at("report").erase(0);
            EXPECT_EQ(idealPlan, plainPlan);
            EXPECT_FALSE(idealPlan.contains("gas"));
        } else {
            EXPECT_EQ(linesAfterDate(ideal.out), linesAfterDate(plain.out)) << request[3];
        }
    }
}

TEST(GasModel, RealGivesGaugeReadingsInTextAndJson) {
    const std::vector<std::string> request{"--have",     "0/0",   "--want",
                                           "3000/18/45", "--gas", "virial"};
    const Finished text = runBlend(request);
    ASSERT_EQ(text.status, 0) << text.err;
    const std::vector<std::string> shown = linesAfterDate(text.out);
    EXPECT_TRUE(shows(shown, "Add He until the gauge reads 1337 PSI"));
    EXPECT_TRUE(shows(shown, "Add O2 until the gauge reads 1568 PSI"));
    EXPECT_TRUE(shows(shown, "Add Air until the gauge reads 3000 PSI"));
    EXPECT_EQ(shown.back(), "Ideal-gas figures would have given O2 18.3 %, He 45.6 %");

    std::vector<std::string> withJson = request;
    withJson.push_back("--json");
    const Finished json = runBlend(withJson);
    ASSERT_EQ(json.status, 0);
    const nlohmann::json plan = nlohmann::json::parse(json.out);
    EXPECT_EQ(plan.at("gas"), "virial");
    const nlohmann::json& gauge = plan.at("gauge");
    EXPECT_TRUE(gauge.at("drain_to").is_null());
    EXPECT_EQ(gauge.at("after_helium"), 1337);
    EXPECT_EQ(gauge.at("after_oxygen"), 1568);
    EXPECT_EQ(gauge.at("after_top_up"), 3000);
    EXPECT_EQ(plan.at("helium"), 1337);
    EXPECT_EQ(plan.at("oxygen"), 1568 - 1337);
    EXPECT_EQ(plan.at("ideal_figures_mix").at("o2"), 18.3);
    EXPECT_EQ(plan.at("ideal_figures_mix").at("he"), 45.6);
    EXPECT_EQ(linesAfterDate(json.out).size(), 0u); // one line
    const auto report = plan.at("report").get<std::vector<std::string>>();
    EXPECT_EQ(std::vector(report.begin() + 1, report.end()), shown);
}

// Both choices at once: the check blend at 207 bar, readings in bar (1337 PSI of helium is
// 92 bar, 1568 PSI of oxygen 108 bar), and the JSON says both units and model.
TEST(GasModel, RealInBarWithUnitsMetric) {
    const std::vector<std::string> request{"--units",   "metric", "--have", "0/0",     "--want",
                                           "207/18/45", "--gas",  "virial", "--depth", "60"};
    const Finished text = runBlend(request);
    ASSERT_EQ(text.status, 0) << text.err;
    const std::vector<std::string> shown = linesAfterDate(text.out);
    EXPECT_TRUE(shows(shown, "Add He until the gauge reads 92 bar"));
    EXPECT_TRUE(shows(shown, "Add O2 until the gauge reads 108 bar"));
    EXPECT_TRUE(shows(shown, "Add Air until the gauge reads 207 bar"));
    EXPECT_TRUE(shows(shown, "MOD 78 m"));
    EXPECT_TRUE(shows(shown, "Ideal-gas figures would have given O2 18.3 %, He 45.8 %"));
    EXPECT_EQ(shown.back(), "At 60 m: END 23 m, PO2 1.26");

    std::vector<std::string> withJson = request;
    withJson.push_back("--json");
    const Finished json = runBlend(withJson);
    ASSERT_EQ(json.status, 0) << json.err;
    const nlohmann::json plan = nlohmann::json::parse(json.out);
    EXPECT_EQ(plan.at("units"), (nlohmann::json{{"pressure", "bar"}, {"depth", "m"}}));
    EXPECT_EQ(plan.at("gas"), "virial");
    const nlohmann::json& gauge = plan.at("gauge");
    EXPECT_TRUE(gauge.at("drain_to").is_null());
    EXPECT_EQ(gauge.at("after_helium"), 92);
    EXPECT_EQ(gauge.at("after_oxygen"), 108);
    EXPECT_EQ(gauge.at("after_top_up"), 207);
    EXPECT_EQ(plan.at("ideal_figures_mix").at("he"), 45.8);
}

TEST(GasModel, RealJsonOfADrainAndOfNoPlan) {
    const Finished drain =
        runBlend({"--have", "1000/80", "--want", "3000/32", "--gas", "virial", "--json"});
    ASSERT_EQ(drain.status, 0);
    const nlohmann::json plan = nlohmann::json::parse(drain.out);
    const int drainTo = plan.at("gauge").at("drain_to");
    EXPECT_EQ(plan.at("drain"), 1000 - drainTo);
    const auto report = plan.at("report").get<std::vector<std::string>>();
    EXPECT_TRUE(shows(report, "Drain the starting Mix until the gauge reads " +
                                  std::to_string(drainTo) + " PSI"));

    const Finished none =
        runBlend({"--have", "1000/21/50", "--want", "300/32", "--gas", "virial", "--json"});
    EXPECT_EQ(none.status, 1);
    const nlohmann::json noPlan = nlohmann::json::parse(none.out);
    EXPECT_EQ(noPlan.at("why_not"), "Mix can't be created using current parameters");
    EXPECT_TRUE(noPlan.at("gauge").is_null());
    EXPECT_TRUE(noPlan.at("ideal_figures_mix").is_null());
}

TEST(GasModel, UnknownOrRepeatedModelIsBadInput) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
        {{"--have", "0/0", "--want", "3000/32", "--gas", "perfect"},
         "--gas perfect: the gas model is ideal, virial or real"},
        {{"--have", "0/0", "--want", "3000/32", "--gas", "Real"},
         "--gas Real: the gas model is ideal, virial or real"},
        {{"--have", "0/0", "--want", "3000/32", "--gas", "virial", "--gas", "ideal"},
         "--gas is given more than once"},
        {{"--version", "--gas", "virial"}, "--version takes no other argument"},
        {{"--version", "--units", "metric", "--gas", "virial"},
         "--version takes no other argument"},
    };
    for (const auto& [arguments, message] : cases) {
        const Finished run = runBlend(arguments);
        EXPECT_EQ(run.status, 2) << message;
        EXPECT_EQ(run.out, "") << message;
        EXPECT_EQ(lines(run.err).at(0), "quillan-blend: " + message);
    }
}

} // namespace
