#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "common_ops.h"
#include "qor/runtime.h"
#include "qor_test/temp_folder.h"
#include "shell_codes.h"

namespace qor::common {
namespace {

using test::TempDir;

TEST(ShellCodeText, MapsTheClassicCodes) {
    const struct {
        int code;
        std::u16string_view text;
    } cases[] = {
        {42, u""},
        {33, u""},
        {1000, u""},
        {2, u"File not found"},
        {3, u"Application not found"},
        {5, u"Access denied"},
        {11, u"Bad file format"},
        {26, u"File sharing error"},
        {27, u"File associateion incomplete"},
        {28, u"DDE Timeout"},
        {29, u"DDE Fail"},
        {30, u"DDE Busy"},
        {31, u"No file association"},
        {32, u"DLL not found\""},
        {0, u"Unknown file open error"},
        {8, u"Unknown file open error"},
        {-1, u"Unknown file open error"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(shellCodeText(c.code), c.text) << c.code;
}

// Puts a fake xdg-open first on PATH that records its arguments and exits as told.
class StartDocTest : public ::testing::Test {
  protected:
    void SetUp() override {
        savedPath_ = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
        const auto bin = dir.path() / "bin";
        std::filesystem::create_directories(bin);
        log_ = dir.path() / "opened.log";
        std::ofstream(bin / "xdg-open") << "#!/bin/sh\n"
                                           "for a in \"$@\"; do printf '[%s]' \"$a\"; done > \""
                                        << log_.string()
                                        << "\"\n"
                                           "sleep \"${QOR_FAKE_SLEEP:-0}\"\n"
                                           "exit \"${QOR_FAKE_EXIT:-0}\"\n";
        std::filesystem::permissions(bin / "xdg-open", std::filesystem::perms::owner_all);
        setenv("PATH", (bin.string() + ":" + savedPath_).c_str(), 1);
        unsetenv("QOR_FAKE_EXIT");
        unsetenv("QOR_FAKE_SLEEP");
    }
    void TearDown() override {
        setenv("PATH", savedPath_.c_str(), 1);
        unsetenv("QOR_FAKE_EXIT");
        unsetenv("QOR_FAKE_SLEEP");
    }
    std::string opened() const {
        std::ifstream in(log_);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    TempDir dir;
    std::filesystem::path log_;

  private:
    std::string savedPath_;
};

TEST_F(StartDocTest, OpensTheDocumentAsOneArgumentWithoutAShell) {
    const std::string name = "my file; $(touch pwned) 'q\".txt";
    dir.write(name, "x");
    EXPECT_EQ(StartDoc(dir.u16(name), true), u"");
    EXPECT_EQ(opened(), "[" + (dir.path() / name).string() + "]");
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "pwned"));
}

TEST_F(StartDocTest, MapsTheOpenersVerdict) {
    dir.write("doc.txt", "x");
    const struct {
        const char* exitCode;
        std::u16string_view text;
    } cases[] = {{"0", u""},
                 {"2", u"File not found"},
                 {"3", u"No file association"},
                 {"5", u"Access denied"},
                 {"4", u"Unknown file open error"},
                 {"1", u"Unknown file open error"}};
    for (const auto& c : cases) {
        setenv("QOR_FAKE_EXIT", c.exitCode, 1);
        EXPECT_EQ(StartDoc(dir.u16("doc.txt"), false), c.text) << c.exitCode;
    }
}

TEST_F(StartDocTest, MissingDocumentIsNotHandedToTheOpener) {
    EXPECT_EQ(StartDoc(dir.u16("missing.txt"), true), u"File not found");
    EXPECT_EQ(StartDoc(u"", true), u"File not found");
    EXPECT_FALSE(std::filesystem::exists(log_));
}

TEST_F(StartDocTest, UnreadableDocumentIsAccessDenied) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    const auto locked = dir.write("locked.txt", "x");
    std::filesystem::permissions(locked, std::filesystem::perms::none);
    EXPECT_EQ(StartDoc(dir.u16("locked.txt"), false), u"Access denied");
}

TEST_F(StartDocTest, NoOpenerAtAllIsNoFileAssociation) {
    dir.write("doc.txt", "x");
    const auto empty = dir.path() / "empty-bin";
    std::filesystem::create_directories(empty);
    setenv("PATH", empty.c_str(), 1);
    EXPECT_EQ(StartDoc(dir.u16("doc.txt"), true), u"No file association");
}

TEST_F(StartDocTest, UrlIsHandedOnWithoutAFileCheck) {
    EXPECT_EQ(StartDoc(u"https://example.invalid/page", false), u"");
    EXPECT_EQ(opened(), "[https://example.invalid/page]");
}

// A name never reaches the opener as an option, and only a proper scheme makes a URL.
TEST_F(StartDocTest, NamesThatLookLikeOptionsOrUrlsAreFiles) {
    dir.write("-x.txt", "x");
    const auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    EXPECT_EQ(StartDoc(u"-x.txt", false), u"");
    std::filesystem::current_path(cwd);
    EXPECT_EQ(opened(), "[./-x.txt]");
    std::filesystem::remove(log_);
    for (const char16_t* notUrl :
         {u"-evil://x", u"--help", u"see http://x", u"1a://x", u"C:\\x://", u"h://x", u"http:x"}) {
        EXPECT_EQ(StartDoc(notUrl, false), u"File not found") << toUtf8(notUrl);
        EXPECT_FALSE(std::filesystem::exists(log_)) << toUtf8(notUrl);
    }
    for (const char16_t* url : {u"svn+ssh://host/repo", u"mailto:diver@example.invalid"}) {
        EXPECT_EQ(StartDoc(url, false), u"");
        EXPECT_EQ(opened(), "[" + toUtf8(url) + "]");
    }
}

TEST_F(StartDocTest, NameEndsAtItsFirstNul) {
    dir.write("doc.txt", "x");
    EXPECT_EQ(StartDoc(dir.u16("doc.txt") + std::u16string(1, u'\0') + u"tail", false), u"");
    EXPECT_EQ(opened(), "[" + (dir.path() / "doc.txt").string() + "]");
}

TEST_F(StartDocTest, BusyOpenerCountsAsStartedWithoutBlocking) {
    dir.write("doc.txt", "x");
    setenv("QOR_FAKE_SLEEP", "3", 1);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(StartDoc(dir.u16("doc.txt"), false), u"");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2500));
}

} // namespace
} // namespace qor::common
