#include <gtest/gtest.h>

#include "common_ops.h"
#include "expect_error.h"
#include "qor_file.h"

namespace qor {
namespace {

using test::expectError;

std::string info(const QorFile& file, InfoType type, bool trailing = true) {
    return toUtf8(file.GetFileInfo(static_cast<std::int32_t>(type), trailing));
}

struct ParsedPath {
    const char16_t* path;
    const char* folderWithSlash;
    const char* folder;
    const char* baseName;
    const char* nameWithExt;
    const char* extension;
};

class QorFileParsing : public ::testing::TestWithParam<ParsedPath> {};

TEST_P(QorFileParsing, SplitsFolderNameAndExtension) {
    const ParsedPath& c = GetParam();
    for (const bool failInvalid : {true, false}) {
        QorFile file;
        file.SetFileName(c.path, failInvalid);
        EXPECT_EQ(info(file, InfoType::FilePath), c.folderWithSlash);
        EXPECT_EQ(info(file, InfoType::FilePath, false), c.folder);
        EXPECT_EQ(info(file, InfoType::FileNameWOext), c.baseName);
        EXPECT_EQ(info(file, InfoType::FileNameWExt), c.nameWithExt);
        EXPECT_EQ(info(file, InfoType::FileExt), c.extension);
        EXPECT_EQ(info(file, InfoType::FullFilePath), toUtf8(c.path));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Paths, QorFileParsing,
    ::testing::Values(
        ParsedPath{u"C:\\data\\survey.txt", "C:\\data\\", "C:\\data", "survey", "survey.txt",
                   "txt"},
        // The extension is whatever follows the last dot of the name, whatever its length.
        ParsedPath{u"C:\\data\\report.html", "C:\\data\\", "C:\\data", "report", "report.html",
                   "html"},
        // A dot in a folder is no extension, and a name without one keeps no trailing dot.
        ParsedPath{u"C:\\my.dir\\readme", "C:\\my.dir\\", "C:\\my.dir", "readme", "readme", ""},
        ParsedPath{u"C:\\data\\a.c", "C:\\data\\", "C:\\data", "a", "a.c", "c"},
        ParsedPath{u"C:\\a.txt", "C:\\", "C:", "a", "a.txt", "txt"},
        ParsedPath{u"/home/ann/notes.tar.gz", "/home/ann/", "/home/ann", "notes.tar",
                   "notes.tar.gz", "gz"},
        // Mixed separators split alike; the appended one is this platform's own.
        ParsedPath{u"/srv\\share/x.dat", "/srv\\share/", "/srv\\share", "x", "x.dat", "dat"},
        ParsedPath{u"/tmp/dir.d/", "/tmp/dir.d/", "/tmp/dir.d", "", "", ""},
        ParsedPath{u"/tmp/x/file.", "/tmp/x/", "/tmp/x", "file", "file.", ""}),
    // Stable names: the default ones would print the parameter's pointers.
    [](const ::testing::TestParamInfo<ParsedPath>& param) {
        return "path" + std::to_string(param.index);
    });

TEST(QorFile, NewInstanceAnswersEmptyParts) {
    const QorFile file;
    EXPECT_EQ(info(file, InfoType::FileNameWOext), "");
    EXPECT_EQ(info(file, InfoType::FileNameWExt), "");
    EXPECT_EQ(info(file, InfoType::FullFilePath), "");
    EXPECT_EQ(info(file, InfoType::FileExt), "");
    EXPECT_EQ(info(file, InfoType::FilePath), "/");
    EXPECT_EQ(info(file, InfoType::FilePath, false), "");
}

TEST(QorFile, InfoTypeOutsideTheEnumerationIsEmpty) {
    QorFile file;
    file.SetFileName(u"C:\\data\\survey.txt", true);
    for (const std::int32_t type : {-1, 5, 1000})
        EXPECT_EQ(toUtf8(file.GetFileInfo(type, true)), "");
}

TEST(QorFile, ShortPathFailsOnlyWhenAskedTo) {
    QorFile file;
    file.SetFileName(u"C:\\data\\survey.txt", true);
    expectError([&] { file.SetFileName(u"C:\\a.tx", true); }, 999999,
                u"QorFile.SetFileName; QorCommon1.QorFile.SetFileName",
                u"Path=C:\\a.tx; Error Desc=Invalid File Name");
    file.SetFileName(u"C:\\a.tx", false);
    EXPECT_EQ(info(file, InfoType::FullFilePath), "C:\\data\\survey.txt");
    EXPECT_EQ(info(file, InfoType::FileExt), "txt");
}

TEST(QorFile, PathWithoutSeparatorOrDotIsInvalidWhenAskedTo) {
    for (const char16_t* path : {u"readme.txt", u"C:\\data\\readme", u"/tmp/readme"}) {
        QorFile file;
        expectError([&] { file.SetFileName(path, true); }, 999999,
                    u"QorFile.SetFileName; QorCommon1.QorFile.SetFileName",
                    u"Path=" + std::u16string(path) + u"; Error Desc=Invalid File Name");
        EXPECT_EQ(info(file, InfoType::FullFilePath), "");
    }
}

// A failed call changes nothing: the full path does not run ahead of the other parts.
TEST(QorFile, PathWithoutSeparatorFailsAndKeepsEveryPart) {
    QorFile file;
    file.SetFileName(u"C:\\data\\survey.txt", false);
    expectError([&] { file.SetFileName(u"readme.txt", false); }, kErrInvalidProcedureCall,
                u"QorFile.SetFileName; QorCommon1",
                u"Path=readme.txt; Error Desc=Invalid procedure call or argument");
    EXPECT_EQ(info(file, InfoType::FullFilePath), "C:\\data\\survey.txt");
    EXPECT_EQ(info(file, InfoType::FileNameWOext), "survey");
    EXPECT_EQ(info(file, InfoType::FileExt), "txt");
    EXPECT_EQ(info(file, InfoType::FilePath, false), "C:\\data");
}

TEST(QorFile, PathWithoutAnyDotParsesWhenNotFailing) {
    QorFile file;
    file.SetFileName(u"/tmp/readme", false);
    EXPECT_EQ(info(file, InfoType::FileNameWOext), "readme");
    EXPECT_EQ(info(file, InfoType::FileExt), "");
}

TEST(QorFile, PathBeyondTheSixteenBitLengthOverflows) {
    const std::u16string path = u"C:\\d\\" + std::u16string(32763, u'a') + u".txt";
    ASSERT_EQ(path.size(), 32772u);
    for (const bool failInvalid : {true, false}) {
        QorFile file;
        expectError([&] { file.SetFileName(path, failInvalid); }, kErrOverflow,
                    u"QorFile.SetFileName; QorCommon1", u"Path=" + path + u"; Error Desc=Overflow");
        EXPECT_EQ(info(file, InfoType::FullFilePath), "");
    }
    const std::u16string longest = path.substr(path.size() - 32767);
    QorFile file;
    file.SetFileName(u"/" + longest.substr(1), true);
    EXPECT_EQ(info(file, InfoType::FileExt), "txt");
}

TEST(CommonGetFileInfo, GivesAFreshParsedObjectEachCall) {
    const QorFile first = common::GetFileInfo(u"C:\\data\\survey.txt", true);
    const QorFile second = common::GetFileInfo(u"/var/log/syslog.1", true);
    EXPECT_EQ(info(first, InfoType::FileNameWExt), "survey.txt");
    EXPECT_EQ(info(second, InfoType::FileExt), "1");
}

TEST(CommonGetFileInfo, PassesSetFileNameFailureThrough) {
    expectError([] { common::GetFileInfo(u"C:\\a.tx", true); }, 999999,
                u"QorFile.SetFileName; QorCommon1.QorFile.SetFileName",
                u"Path=C:\\a.tx; Error Desc=Invalid File Name");
}

} // namespace
} // namespace qor
