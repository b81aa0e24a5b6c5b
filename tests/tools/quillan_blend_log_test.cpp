// The fill log from the command line: a planned fill logged, listed, analysed and exported,
// and bad input refused with nothing stored.
#include "blend_process.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

using blendtest::runBlend;

namespace {

class BlendLogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "blend-log-XXXXXX");
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string file() const { return (folder_ / "fills.sqlite").string(); }
    blendtest::Finished log(std::vector<std::string> arguments) const {
        arguments.insert(arguments.begin(), "log");
        arguments.insert(arguments.end(), {"--log-file", file()});
        return runBlend(arguments);
    }
    blendtest::Finished logNitrox32(std::vector<std::string> extra = {}) const {
        std::vector<std::string> arguments = {
            "--have",     "0/21",       "--want",    "3000/32", "--log",
            "--customer", "Ann",        "--blender", "Bo",      "--cylinder-serial",
            "S-1",        "--log-file", file()};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        return runBlend(arguments);
    }
    nlohmann::json fills() const { return nlohmann::json::parse(log({"list", "--json"}).out); }

    std::filesystem::path folder_;
};

TEST_F(BlendLogTest, LogsListsAnalysesAndExportsAFill) {
    const blendtest::Finished planned = logNitrox32();
    ASSERT_EQ(planned.status, 0) << planned.err;
    EXPECT_EQ(blendtest::linesAfterDate(planned.out),
              blendtest::linesAfterDate(runBlend({"--have", "0/21", "--want", "3000/32"}).out));
    EXPECT_EQ(planned.err, "quillan-blend: logged as fill 1\n");

    const blendtest::Finished analysed =
        log({"analyse", "1", "--o2", "31.8", "--analyst", "Cy", "--accepted"});
    EXPECT_EQ(analysed.status, 0) << analysed.err;
    EXPECT_NE(analysed.out.find("MOD 111 fsw at PO2 1.4, 132 fsw at PO2 1.6"), std::string::npos)
        << analysed.out;

    const nlohmann::json list = fills();
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0]["id"], 1);
    EXPECT_EQ(list[0]["customer"], "Ann");
    EXPECT_EQ(list[0]["cylinder_serial"], "S-1");
    EXPECT_EQ(list[0]["required_mix"]["name"], "Nitrox 32");
    EXPECT_EQ(list[0]["analysed_o2"], 31.8);
    EXPECT_EQ(list[0]["analysed_he"], 0.0);
    EXPECT_EQ(list[0]["analyst"], "Cy");
    EXPECT_EQ(list[0]["customer_accepted"], true);
    EXPECT_EQ(list[0]["plan"]["mod"], 132);

    const std::string csv = log({"list", "--csv", "--customer", "Ann"}).out;
    EXPECT_NE(csv.find("\r\n1,"), std::string::npos) << csv;
    EXPECT_NE(csv.find(",31.8,0,Cy,"), std::string::npos) << csv;
    EXPECT_EQ(log({"list", "--csv", "--customer", "Bea"}).out.find("\r\n1,"), std::string::npos);
}

TEST_F(BlendLogTest, AnAnalysisOutOfToleranceShowsTheCorrectingPlan) {
    ASSERT_EQ(logNitrox32().status, 0);
    const blendtest::Finished analysed =
        log({"analyse", "1", "--o2", "30.5", "--analyst", "Cy", "--tolerance", "2"});
    EXPECT_EQ(analysed.status, 0);
    const blendtest::Finished off = [this] {
        logNitrox32();
        return log({"analyse", "2", "--o2", "30.5", "--analyst", "Cy"});
    }();
    EXPECT_EQ(off.status, 1);
    EXPECT_NE(off.out.find("Calculate Nitrox 30 to Nitrox 32"), std::string::npos) << off.out;
}

TEST_F(BlendLogTest, UsesTheDataFolderUnlessTold) {
    ASSERT_EQ(::setenv("XDG_DATA_HOME", folder_.c_str(), 1), 0);
    const blendtest::Finished planned = runBlend({"--have", "0/21", "--want", "3000/32", "--log",
                                                  "--customer", "A", "--cylinder-serial", "S"});
    ::unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(planned.status, 0) << planned.err;
    EXPECT_TRUE(std::filesystem::exists(folder_ / "quillan" / "fill-log.sqlite"));
}

struct BadLog {
    const char* name;
    std::vector<std::string> arguments; // "LOG" stands for the log file
    int status;
};

class BadLogTest : public BlendLogTest, public ::testing::WithParamInterface<BadLog> {};

TEST_P(BadLogTest, IsRefusedAndStoresNothing) {
    ASSERT_EQ(logNitrox32().status, 0);
    std::vector<std::string> arguments = GetParam().arguments;
    for (std::string& word : arguments)
        if (word == "LOG")
            word = file();
    const blendtest::Finished refused = runBlend(arguments);
    EXPECT_EQ(refused.status, GetParam().status) << refused.err;
    EXPECT_FALSE(refused.err.empty());
    const nlohmann::json list = fills();
    ASSERT_EQ(list.size(), 1u);
    EXPECT_TRUE(list[0]["analysed_o2"].is_null());
}

const BadLog kBadLogs[] = {
    {"NoPlan",
     {"--have", "0/21", "--want", "3000/5", "--log", "--customer", "A", "--cylinder-serial", "S",
      "--log-file", "LOG"},
     2},
    {"NoCustomer",
     {"--have", "0/21", "--want", "3000/32", "--log", "--cylinder-serial", "S", "--log-file",
      "LOG"},
     2},
    {"CustomerWithoutLog",
     {"--have", "0/21", "--want", "3000/32", "--customer", "A", "--log-file", "LOG"},
     2},
    {"NonUtf8Customer",
     {"--have", "0/21", "--want", "3000/32", "--log", "--customer", "A\xE9", "--cylinder-serial",
      "S", "--log-file", "LOG"},
     2},
    {"FutureHydroTest",
     {"--have", "0/21", "--want", "3000/32", "--log", "--customer", "A", "--cylinder-serial", "S",
      "--hydro-test", "2999-01-01", "--log-file", "LOG"},
     2},
    {"AnalysedAbove100",
     {"log", "analyse", "1", "--o2", "60", "--he", "40.5", "--analyst", "Cy", "--log-file", "LOG"},
     2},
    {"AnalysisOfNoFill",
     {"log", "analyse", "2", "--o2", "32", "--analyst", "Cy", "--log-file", "LOG"},
     2},
    {"NoAnalyst", {"log", "analyse", "1", "--o2", "32", "--log-file", "LOG"}, 2},
    {"NotANumber",
     {"log", "analyse", "1", "--o2", "32%", "--analyst", "Cy", "--log-file", "LOG"},
     2},
};

INSTANTIATE_TEST_SUITE_P(Log, BadLogTest, ::testing::ValuesIn(kBadLogs),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(BlendLogTest, WritesTheLabelAsAPdf) {
    ASSERT_EQ(logNitrox32().status, 0);
    ASSERT_EQ(log({"analyse", "1", "--o2", "31.8", "--analyst", "Cy"}).status, 0);
    const std::string pdf = (folder_ / "label.pdf").string();
    const blendtest::Finished written = log({"label", "1", "--pdf", pdf});
    ASSERT_EQ(written.status, 0) << written.err;
    EXPECT_EQ(written.out, "");
    const std::string text = blendtest::runProgram(PDFTOTEXT, {pdf, "-"}).out;
    EXPECT_NE(text.find("Nitrox 32"), std::string::npos) << text;
    EXPECT_NE(text.find("MOD 111 fsw (PO2 1.4)"), std::string::npos) << text;
}

TEST_F(BlendLogTest, ALabelPdfThatCannotBeMadeIsRefused) {
    ASSERT_EQ(logNitrox32().status, 0);
    const std::string pdf = (folder_ / "missing" / "label.pdf").string();
    const blendtest::Finished unanalysed = log({"label", "1", "--pdf", pdf});
    EXPECT_EQ(unanalysed.status, 2);
    EXPECT_NE(unanalysed.err.find("fill 1 has not been analysed"), std::string::npos)
        << unanalysed.err;
    ASSERT_EQ(log({"analyse", "1", "--o2", "31.8", "--analyst", "Cy"}).status, 0);
    const blendtest::Finished unwritable = log({"label", "1", "--pdf", pdf});
    EXPECT_EQ(unwritable.status, 3);
    EXPECT_NE(unwritable.err.find("Could not create " + pdf), std::string::npos) << unwritable.err;
    EXPECT_FALSE(std::filesystem::exists(pdf));
}

// Without its Qt module the command line still runs, and says what is missing.
TEST_F(BlendLogTest, ALabelPdfWithoutItsModuleIsRefused) {
    ASSERT_EQ(logNitrox32().status, 0);
    ASSERT_EQ(log({"analyse", "1", "--o2", "31.8", "--analyst", "Cy"}).status, 0);
    const std::filesystem::path alone = folder_ / "quillan-blend";
    std::filesystem::copy_file(QUILLAN_BLEND_PATH, alone);
    const std::string pdf = (folder_ / "label.pdf").string();
    const blendtest::Finished refused =
        blendtest::runProgram(alone, {"log", "label", "1", "--pdf", pdf, "--log-file", file()});
    EXPECT_EQ(refused.status, 3);
    EXPECT_NE(refused.err.find("cannot load the label module"), std::string::npos) << refused.err;
    EXPECT_FALSE(std::filesystem::exists(pdf));
}

TEST_F(BlendLogTest, ADamagedLogIsNamedAndLeftAlone) {
    const std::string garbage(2048, 'Q');
    std::ofstream(file(), std::ios::binary) << garbage;
    const blendtest::Finished refused = log({"list"});
    EXPECT_EQ(refused.status, 3);
    EXPECT_NE(refused.err.find(file() + ": the fill log is damaged"), std::string::npos)
        << refused.err;
    std::ifstream in(file(), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), garbage);
}

} // namespace
