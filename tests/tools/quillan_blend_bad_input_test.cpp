// Bad input: one line naming the argument, the value and what is allowed, then the usage
// hint; exit status 2 and nothing on standard output.
#include "blend_process.h"

#include <gtest/gtest.h>

using blendtest::lines;
using blendtest::runBlend;

namespace {

struct BadCase {
    std::vector<std::string> arguments;
    std::string message;
};

const std::vector<std::string> kWant{"--have", "500/21", "--want", "3000/32"};

std::vector<std::string> plus(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(BadInput, OneMessageUsageHintStatus2NothingOnStdout) {
    const BadCase cases[] = {
        // Ranges, as the window's fields allow them.
        {plus(kWant, {"--top", "60"}), "--top 60: top-up O2 must be a whole number from 21 to 50"},
        {plus(kWant, {"--top", "20.4"}),
         "--top 20.4: top-up O2 must be a whole number from 21 to 50"},
        {plus(kWant, {"--top", "50.5"}),
         "--top 50.5: top-up O2 must be a whole number from 21 to 50"},
        // 61 C, and 150 F in imperial's own scale (65.6 C), are hotter than a fill station runs.
        {plus(kWant, {"--fill-temp", "61C"}),
         "--fill-temp 61C: a temperature is a number from -10 to 60 °C, with C or F after it "
         "to say which"},
        {plus(kWant, {"--settle-temp", "150"}),
         "--settle-temp 150: a temperature is a number from -10 to 60 °C, with C or F after it "
         "to say which"},
        {plus(kWant, {"--depth", "501"}),
         "--depth 501: target depth must be a whole number from 0 to 500"},
        {plus(kWant, {"--depth", "-1"}),
         "--depth -1: target depth must be a whole number from 0 to 500"},
        {{"--have", "4001/21", "--want", "4500/32"},
         "--have 4001/21: starting pressure must be a whole number from 0 to 4000"},
        {{"--have", "500/21", "--want", "4501/32"},
         "--want 4501/32: required pressure must be a whole number from 0 to 4500"},
        {{"--have", "500/21", "--fill", "4501"},
         "--fill 4501: required pressure must be a whole number from 0 to 4500"},
        {{"--have", "500/101", "--want", "3000/32"},
         "--have 500/101: starting O2 must be a whole number from 0 to 100"},
        {{"--have", "500/21/80", "--want", "3000/32"},
         "--have 500/21/80: starting He must be a whole number from 0 to 79 with O2 21"},
        {{"--have", "500/5/91", "--want", "3000/32"},
         "--have 500/5/91: starting He must be a whole number from 0 to 90 with O2 5"},
        {{"--have", "500/21", "--want", "3000/100/1"},
         "--want 3000/100/1: required He must be 0 with O2 100"},
        {{"--have", "500/0/5", "--want", "3000/32"},
         "--have 500/0/5: starting He must be 0 with O2 0"},
        // Text that is not a number, in full.
        {{"--have", "500/21x", "--want", "3000/32"},
         "--have 500/21x: starting O2 must be a whole number from 0 to 100"},
        {{"--have", "500//35", "--want", "3000/32"},
         "--have 500//35: starting O2 must be a whole number from 0 to 100"},
        {{"--have", "500/21/", "--want", "3000/32"},
         "--have 500/21/: starting He must be a whole number from 0 to 79 with O2 21"},
        {{"--have", "/21", "--want", "3000/32"},
         "--have /21: starting pressure must be a whole number from 0 to 4000"},
        {{"--have", "500", "--want", "3000/32"},
         "--have 500: a mix is written PRESSURE/O2 or PRESSURE/O2/He"},
        {{"--have", "500/21/0/0", "--want", "3000/32"},
         "--have 500/21/0/0: a mix is written PRESSURE/O2 or PRESSURE/O2/He"},
        {{"--have", "500/21", "--fill", "3000 psi"},
         "--fill 3000 psi: required pressure must be a whole number from 0 to 4500"},
        {{"--have", "500/21", "--fill", ""},
         "--fill : required pressure must be a whole number from 0 to 4500"},
        // The shape of the command line.
        {{"--want", "3000/32"}, "--have is required: the starting cylinder, PRESSURE/O2[/He]"},
        {{"--have", "500/21"}, "--want PRESSURE/O2[/He] or --fill PRESSURE is required"},
        {{"--have", "500/21", "--want", "3000/32", "--fill", "3000"},
         "--want and --fill cannot be used together"},
        {plus(kWant, {"--have", "600/21"}), "--have is given more than once"},
        {plus(kWant, {"--top", "21", "--top", "32"}), "--top is given more than once"},
        {plus(kWant, {"--json", "--json"}), "--json is given more than once"},
        {plus(kWant, {"extra"}), "unknown argument extra"},
        {plus(kWant, {"--metric"}), "unknown argument --metric"},
        {{"--have", "500/21", "--want"}, "--want needs a value"},
        {{"--version", "--json"}, "--version takes no other argument"},
        {plus(kWant, {"--json=1"}), "--json takes no value"},
        // Exponents are not figures anyone types; the window refuses them too.
        {{"--have", "500/21", "--want", "3e3/32"},
         "--want 3e3/32: required pressure must be a whole number from 0 to 4500"},
    };
    for (const BadCase& c : cases) {
        SCOPED_TRACE(c.message);
        const auto run = runBlend(c.arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        const std::vector<std::string> err = lines(run.err);
        ASSERT_EQ(err.size(), 2u) << run.err;
        EXPECT_EQ(err[0], "quillan-blend: " + c.message);
        EXPECT_EQ(err[1].rfind("Usage: quillan-blend ", 0), 0u) << err[1];
    }
}

// The window's reading of a number: blanks around it, no exponent, and rounding halves to
// even after the range check.
TEST(BadInput, NumbersAreReadAsTheWindowReadsItsFields) {
    const auto accepted = [](const std::vector<std::string>& arguments) {
        return runBlend(arguments).status != 2;
    };
    EXPECT_TRUE(accepted({"--have", " 500 / 21.5 /0", "--want", "3000/32"}));
    // The range is checked before rounding, as the window does.
    EXPECT_TRUE(accepted({"--have", "3999.6/21", "--want", "4500/32"}));
    EXPECT_FALSE(accepted({"--have", "4000.4/21", "--want", "4500/32"}));
    EXPECT_FALSE(accepted({"--have", "500/21", "--want", "3000/32", "--top", "50.4"}));
    EXPECT_TRUE(accepted({"--have", "500/21/79.4", "--fill", "3000"}));
    // 21.5 rounds to 22 (halves to even), so the name is Nitrox 22; 22.5 also gives 22.
    for (const char* top : {"21.5", "22.5"}) {
        const auto run = runBlend({"--have", "0/0", "--fill", "3000", "--top", top});
        ASSERT_GE(lines(run.out).size(), 2u);
        EXPECT_EQ(lines(run.out)[1], "Top [Empty cylinder] with Nitrox 22 to 3000 PSI");
    }
}

} // namespace
