#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "common_ops.h"
#include "qor/runtime.h"
#include "qor_test/temp_folder.h"

namespace qor::common {
namespace {

using test::TempDir;

class FileOrDirExistsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir.write("Data/report.txt", "line\r\n");
        dir.write("Data/other.txt", "");
        std::filesystem::create_directories(dir.path() / "Data/Sub.Folder");
    }
    TempDir dir;
};

TEST_F(FileOrDirExistsTest, NothingAskedIsNothingFound) {
    EXPECT_FALSE(FileOrDirExists(u"", u""));
}

TEST_F(FileOrDirExistsTest, FindsAFileWhateverItsCase) {
    const struct {
        std::string file;
        bool found;
    } cases[] = {
        {"Data/report.txt", true},     {"Data/Report.TXT", true}, {"Data\\REPORT.txt", true},
        {"Data/sub.folder", true}, // a folder whose name matches counts
        {"Data/*.txt", false},     // no wildcards
        {"Data/report.tx?", false},    {"Data/report", false},    {"Data/missing.txt", false},
        {"Missing/report.txt", false}, {"Data/", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FileOrDirExists(dir.u16(c.file), u""), c.found) << c.file;
}

TEST_F(FileOrDirExistsTest, CaseIsIgnoredBeyondAsciiToo) {
    dir.write("Data/\xC3\x84rger \xCE\xA3\xCE\xB9\xCE\xB3\xCE\xBC\xCE\xB1.txt", "");
    const struct {
        std::u16string file;
        bool found;
    } cases[] = {
        {u"Data/\u00C4rger \u03A3\u03B9\u03B3\u03BC\u03B1.txt", true},
        {u"Data/\u00E4RGER \u03C3\u0399\u0393\u039C\u0391.TXT", true},
        {u"Data/Arger \u03A3\u03B9\u03B3\u03BC\u03B1.txt", false}, // no accent folding
    };
    for (const auto& c : cases)
        EXPECT_EQ(FileOrDirExists(dir.u16() + u"/" + c.file, u""), c.found) << toUtf8(c.file);
}

TEST_F(FileOrDirExistsTest, FindsAFolderWithOrWithoutTrailingSeparator) {
    EXPECT_TRUE(FileOrDirExists(u"", dir.u16("Data")));
    EXPECT_TRUE(FileOrDirExists(u"", dir.u16("Data/")));
    EXPECT_TRUE(FileOrDirExists(u"", dir.u16("Data") + u"\\"));
    EXPECT_FALSE(FileOrDirExists(u"", dir.u16("Nowhere")));
    EXPECT_FALSE(FileOrDirExists(u"", dir.u16("Nowhere/")));
    // A file is no folder to list.
    EXPECT_FALSE(FileOrDirExists(u"", dir.u16("Data/report.txt")));
}

TEST_F(FileOrDirExistsTest, WithBothGivenOnlyTheFileCounts) {
    EXPECT_FALSE(FileOrDirExists(dir.u16("Data/missing.txt"), dir.u16("Data")));
    EXPECT_TRUE(FileOrDirExists(dir.u16("Data/report.txt"), dir.u16("Nowhere")));
}

TEST_F(FileOrDirExistsTest, NameWithoutFolderIsLookedForInTheRoot) {
    EXPECT_FALSE(FileOrDirExists(u"no-such-entry-in-root.qor", u""));
    EXPECT_TRUE(FileOrDirExists(u"tmp", u""));
    EXPECT_TRUE(FileOrDirExists(u"", u"/"));
}

// An ordinary file, with no attribute but plain read and write, is found.
TEST_F(FileOrDirExistsTest, OrdinaryFileIsNotPassedOver) {
    const auto plain = dir.write("Data/plain.dat", "x\ny\n");
    std::filesystem::permissions(plain, std::filesystem::perms::owner_read |
                                            std::filesystem::perms::owner_write);
    EXPECT_TRUE(FileOrDirExists(dir.u16("Data/plain.dat"), u""));
    EXPECT_EQ(FindTextFileLength(dir.u16("Data/plain.dat")), 2);
}

TEST_F(FileOrDirExistsTest, PathsWithNulOrGreatLengthAreNotFound) {
    EXPECT_FALSE(FileOrDirExists(dir.u16("Data") + std::u16string(1, u'\0') + u"x", u""));
    EXPECT_FALSE(FileOrDirExists(u"", dir.u16("Data") + std::u16string(1, u'\0')));
    EXPECT_FALSE(FileOrDirExists(dir.u16("Data/") + std::u16string(40000, u'a'), u""));
    EXPECT_FALSE(FileOrDirExists(u"", std::u16string(40000, u'/') + u"x"));
}

TEST(FindTextFileLength, CountsLinesEndedByCarriageReturnLineFeedOrBoth) {
    const TempDir dir;
    const struct {
        std::string bytes;
        std::int32_t lines;
    } cases[] = {
        {"", 0},
        {"a\r\nb", 2},
        {"a\r\nb\r\n", 2},
        {"a\nb", 2},
        {"a\nb\n", 2},
        {"a\rb", 2},
        {"a\r\r\nb", 3},
        {"\r\n\r\n", 2},
        {"\n\n\n", 3},
        {"one line", 1},
        {std::string("a\0b\r\nc", 6), 2},
        {"\xc3\xa9t\xc3\xa9\r\n\xe2\x82\xac", 2},
    };
    int index = 0;
    for (const auto& c : cases) {
        const std::string name = "case" + std::to_string(index++) + ".txt";
        dir.write(name, c.bytes);
        EXPECT_EQ(FindTextFileLength(dir.u16(name)), c.lines) << name;
    }
}

TEST(FindTextFileLength, LongFileCountsAcrossReadBlocks) {
    const TempDir dir;
    std::string bytes;
    for (int i = 0; i < 50000; ++i)
        bytes += (i % 2 == 0) ? "line\r" : "\nline\n";
    dir.write("long.txt", bytes);
    EXPECT_EQ(FindTextFileLength(dir.u16("long.txt")), 50000);
}

TEST(FindTextFileLength, WhatCannotBeReadGivesMinusOne) {
    const TempDir dir;
    EXPECT_EQ(FindTextFileLength(dir.u16("missing.txt")), -1);
    EXPECT_EQ(FindTextFileLength(u""), -1);
    std::filesystem::create_directories(dir.path() / "folder");
    EXPECT_EQ(FindTextFileLength(dir.u16("folder")), -1);
    ASSERT_EQ(mkfifo((dir.path() / "pipe").c_str(), 0600), 0);
    EXPECT_EQ(FindTextFileLength(dir.u16("pipe")), -1);
    if (geteuid() != 0) {
        const auto locked = dir.write("locked.txt", "a\r\n");
        std::filesystem::permissions(locked, std::filesystem::perms::none);
        EXPECT_EQ(FindTextFileLength(dir.u16("locked.txt")), -1);
    }
}

} // namespace
} // namespace qor::common
