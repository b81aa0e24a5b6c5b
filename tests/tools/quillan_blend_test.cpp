// quillan-blend end to end: the window's worked blends give the window's lines, --json
// agrees with the text, and the program depends on neither Qt nor the component library.
#include "blend_process.h"

#include "engine/number_rules.h"
#include "report/report_date.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>
#include <memory>

using blendtest::Finished;
using blendtest::lines;
using blendtest::runBlend;

namespace {

const std::string kSeparator(109, '-');

std::vector<std::string> mixing(std::vector<std::string> steps) {
    steps.insert(steps.begin(), {"Mixing", kSeparator});
    return steps;
}

std::vector<std::string> joined(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Runs the program; its first line must be the heading with the date and time of the run.
Finished runTimed(const std::vector<std::string>& arguments, std::vector<std::string>& rest) {
    const std::string before = quillan::report::currentReportDateTime();
    Finished run = runBlend(arguments);
    const std::string after = quillan::report::currentReportDateTime();
    const std::vector<std::string> all = lines(run.out);
    EXPECT_FALSE(all.empty());
    if (!all.empty()) {
        EXPECT_TRUE(all[0] == "Mix Calculation " + before || all[0] == "Mix Calculation " + after)
            << all[0];
        rest.assign(all.begin() + 1, all.end());
    }
    return run;
}

struct BlendCase {
    const char* name;
    std::vector<std::string> arguments;
    std::vector<std::string> lines; // after the date line
    int status;
};

void PrintTo(const BlendCase& c, std::ostream* out) {
    *out << c.name;
}

class WorkedBlend : public testing::TestWithParam<BlendCase> {};

TEST_P(WorkedBlend, PrintsTheWindowsLines) {
    const BlendCase& c = GetParam();
    std::vector<std::string> shown;
    const Finished run = runTimed(c.arguments, shown);
    EXPECT_EQ(shown, c.lines);
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.err, "");
}

INSTANTIATE_TEST_SUITE_P(
    FromTheWindowsTests, WorkedBlend,
    testing::Values(
        BlendCase{
            "Ean32FromEmpty",
            {"--have", "0/0", "--want", "3000/32"},
            joined({"Calculate [Empty cylinder] to Nitrox 32 by adding He, O2 and Air", kSeparator},
                   mixing({"Starting [Empty cylinder] PSI should be 0", "Add 418 PSI of O2",
                           "Add 2582 PSI of Air", "Ending PSI should be 3000", "",
                           "Final Mix: Nitrox 32", kSeparator, "MOD 132 fsw", "PO2 1.60",
                           "END 109 fsw"})),
            0},
        BlendCase{"DrainNitrox80",
                  {"--have", "1000/80/0", "--want", "3000/32/0", "--top", "21"},
                  joined({"Calculate Nitrox 80 to Nitrox 32 by adding He, O2 and Air", kSeparator},
                         mixing({"Drain 441 PSI from the starting Mix",
                                 "Starting Nitrox 80 PSI should be 559", "Add 2441 PSI of Air",
                                 "Ending PSI should be 3000", "", "Final Mix: Nitrox 32",
                                 kSeparator, "MOD 132 fsw", "PO2 1.60", "END 109 fsw"})),
                  0},
        BlendCase{"Trimix2135FromEmpty",
                  {"--want", "3000/21/35", "--have", "0/0/0"},
                  joined({"Calculate [Empty cylinder] to Trimix 21/35 by adding He, O2 and Air",
                          kSeparator},
                         mixing({"Starting [Empty cylinder] PSI should be 0", "Add 1050 PSI of He",
                                 "Add 279 PSI of O2", "Add 1671 PSI of Air",
                                 "Ending PSI should be 3000", "", "Final Mix: Trimix 21/35",
                                 kSeparator, "MOD 218 fsw", "PO2 1.60", "END 107 fsw"})),
                  0},
        // A full cylinder is drained, then blended.
        BlendCase{"FullCylinderReblended",
                  {"--have", "3000/21", "--want", "3000/32"},
                  {"Calculate Air to Nitrox 32 by adding He, O2 and Air", kSeparator,
                   "Source PSI = 3000", "Target PSI = 3000",
                   "Target PSI is less than or equal to the Source PSI", "Mixing", kSeparator,
                   "Drain 419 PSI from the starting Mix", "Starting Air PSI should be 2581",
                   "Add 418 PSI of O2", "Add 1 PSI of Air", "Ending PSI should be 3000", "",
                   "Final Mix: Nitrox 32", kSeparator, "MOD 132 fsw", "PO2 1.60", "END 109 fsw"},
                  0},
        BlendCase{"LowSourceO2",
                  {"--have", "200/10", "--want", "3000/32"},
                  {"Calculate Nitrox 10 to Nitrox 32 by adding He, O2 and Air", kSeparator,
                   "Low source O2. Must be > 10"},
                  1},
        BlendCase{"TopUpTooRichForEan32",
                  {"--have", "0/0", "--want", "3000/32", "--top", "36", "--depth", "100"},
                  {"Calculate [Empty cylinder] to Nitrox 32 by adding He, O2 and Nitrox 36",
                   kSeparator, "Mix can't be created using current parameters", "",
                   "At 100 fsw: END 81 fsw, PO2 1.29"},
                  1},
        BlendCase{"RequiredPressureZero",
                  {"--have", "0/0", "--want", "0/32"},
                  {"Calculate [Empty cylinder] to [Empty cylinder] by adding He, O2 and Air",
                   kSeparator, "Target cylinder PSI and fO2 are required values"},
                  1},
        BlendCase{"Trimix1820ToppedWithNitrox32",
                  {"--have", "100/18/20", "--fill", "3000", "--top", "32"},
                  joined({"Top Trimix 18/20 with Nitrox 32 to 3000 PSI", kSeparator},
                         mixing({"Starting Trimix 18/20 PSI should be 100",
                                 "Add 2900 PSI of Nitrox 32", "", "Final Mix: Trimix 32/1",
                                 kSeparator, "MOD 132 fsw", "PO2 1.60", "END 107 fsw"})),
                  0},
        BlendCase{"AirToppedWithAirAtDepth",
                  {"--have", "500/21", "--fill", "3000", "--depth", "100"},
                  joined({"Top Air with Air to 3000 PSI", kSeparator},
                         mixing({"Starting Air PSI should be 500", "Add 2500 PSI of Air", "",
                                 "Final Mix: Air", kSeparator, "MOD 218 fsw", "PO2 1.60",
                                 "END 218 fsw", "", "At 100 fsw: END 100 fsw, PO2 0.85"})),
                  0},
        BlendCase{"TopUpBelowTheSourceDrains",
                  {"--have", "3000/32", "--fill", "2500", "--depth", "100"},
                  {"Top Nitrox 32 with Air to 2500 PSI",
                   kSeparator,
                   "Source PSI = 3000",
                   "Target PSI = 2500",
                   "Target PSI is less than or equal to the Source PSI",
                   "",
                   "End Calculation",
                   "",
                   "Mixing",
                   kSeparator,
                   "Drain 500 PSI from the starting Mix",
                   "Starting Nitrox 32 PSI should be 2500",
                   "Nothing to add: the starting Mix is already Nitrox 32",
                   "",
                   "Final Mix: Nitrox 32",
                   kSeparator,
                   "MOD 132 fsw",
                   "PO2 1.60",
                   "END 109 fsw",
                   "",
                   "At 100 fsw: END 81 fsw, PO2 1.29"},
                  0}));

// --json: one object that parses, whose figures are those the text prints.
TEST(Json, AgreesWithTheText) {
    const std::vector<std::vector<std::string>> requests{
        {"--have", "500/21/35", "--want", "3000/21/35"},
        {"--have", "1000/80", "--want", "3000/32"},
        {"--have", "0/0", "--want", "3000/32", "--top", "36"},
        {"--have", "100/18/20", "--fill", "3000", "--top", "32", "--depth", "99"},
        {"--have", "3000/32", "--fill", "3000"},
    };
    for (const auto& request : requests) {
        SCOPED_TRACE(request[3]);
        const Finished text = runBlend(request);
        std::vector<std::string> withJson = request;
        withJson.push_back("--json");
        const Finished json = runBlend(withJson);
        EXPECT_EQ(json.status, text.status);
        ASSERT_EQ(std::count(json.out.begin(), json.out.end(), '\n'), 1);
        const nlohmann::json plan = nlohmann::json::parse(json.out);
        ASSERT_TRUE(plan.is_object());

        std::vector<std::string> shown = lines(text.out);
        const auto report = plan.at("report").get<std::vector<std::string>>();
        ASSERT_EQ(report.size(), shown.size());
        EXPECT_EQ(std::vector(report.begin() + 1, report.end()),
                  std::vector(shown.begin() + 1, shown.end()));
        const auto has = [&](const std::string& line) {
            return std::find(shown.begin(), shown.end(), line) != shown.end();
        };

        EXPECT_EQ(plan.at("possible").get<bool>(), text.status == 0);
        if (!plan.at("possible").get<bool>()) {
            EXPECT_TRUE(has(plan.at("why_not").get<std::string>()));
            EXPECT_TRUE(plan.at("mod").is_null());
            continue;
        }
        EXPECT_TRUE(plan.at("why_not").is_null());
        const std::string psi = plan.at("units").at("pressure");
        const std::string fsw = plan.at("units").at("depth");
        EXPECT_EQ(has("Drain " + plan.at("drain").dump() + " " + psi + " from the starting Mix"),
                  plan.at("drain").get<int>() > 0);
        EXPECT_EQ(has("Add " + plan.at("helium").dump() + " " + psi + " of He"),
                  plan.at("helium").get<int>() > 0);
        EXPECT_EQ(has("Add " + plan.at("oxygen").dump() + " " + psi + " of O2"),
                  plan.at("oxygen").get<int>() > 0);
        EXPECT_EQ(has("Add " + plan.at("top_up").dump() + " " + psi + " of " +
                      plan.at("top_up_gas").get<std::string>()),
                  plan.at("top_up").get<int>() > 0);
        EXPECT_TRUE(has("Final Mix: " + plan.at("final_mix").at("name").get<std::string>()));
        EXPECT_TRUE(has("MOD " + plan.at("mod").dump() + " " + fsw));
        EXPECT_TRUE(has("END " + plan.at("end").dump() + " " + fsw));
        EXPECT_TRUE(has("PO2 " + quillan::formatFixed2(plan.at("po2").get<double>(),
                                                       quillan::NumberLocale::user())));
        if (plan.contains("at_depth")) {
            EXPECT_EQ(shown.back(),
                      "At " + plan.at("at_depth").at("depth").dump() + " " + fsw + ": END " +
                          plan.at("at_depth").at("end").dump() + " " + fsw + ", PO2 " +
                          quillan::formatFixed2(plan.at("at_depth").at("po2").get<double>(),
                                                quillan::NumberLocale::user()));
        }
    }
}

TEST(Json, TopUpGivesTheFinalMixItWrites) {
    const Finished run =
        runBlend({"--have", "1000/18/45", "--fill", "3000", "--top", "32", "--json"});
    EXPECT_EQ(run.status, 0);
    const auto mix = nlohmann::json::parse(run.out).at("final_mix");
    EXPECT_EQ(mix.at("o2"), 27);
    EXPECT_EQ(mix.at("he"), 15);
    EXPECT_EQ(mix.at("n"), 58);
    EXPECT_EQ(mix.at("pressure"), 3000);
}

TEST(SelfDescription, HelpAndVersion) {
    const Finished help = runBlend({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.err, "");
    for (const char* section : {"NAME\n", "SYNOPSIS\n", "OPTIONS\n", "EXIT STATUS\n", "--have MIX"})
        EXPECT_NE(help.out.find(section), std::string::npos) << section;
    const Finished version = runBlend({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "quillan-blend " QUILLAN_VERSION "\n");
}

// Every library the loader maps for the program: none of Qt, the component library or its
// runtime.
TEST(Dependencies, NeitherQtNorTheComponentLibrary) {
    const std::string command = std::string("ldd '") + QUILLAN_BLEND_PATH + "'";
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    ASSERT_TRUE(pipe);
    std::string listing;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0;)
        listing.append(buffer, n);
    EXPECT_NE(listing.find("libc.so"), std::string::npos) << listing; // ldd did read it
    for (const char* unwanted : {"Qt", "Qor", "qor"})
        EXPECT_EQ(listing.find(unwanted), std::string::npos) << unwanted << " in\n" << listing;
}

} // namespace
