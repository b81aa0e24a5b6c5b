// Early binding through the raw virtual table: slot 7 is each interface's first own
// operation, and the slots take exactly the by-value and by-reference forms of the
// interface tables.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "server_fixture.h"

namespace {

// The function in `slot` of the object's virtual table, called with the object first,
// as any C client would.
template <class Fn> Fn slot(void* object, int index) {
    void** table = *static_cast<void***>(object);
    return reinterpret_cast<Fn>(table[index]);
}

using VtableTest = ServerTest;

TEST_F(VtableTest, QorFileSlots) {
    ComPtr<_QorFile> file;
    ASSERT_EQ(create(CLSID_QorFile, IID__QorFile, file), S_OK);
    BSTR path = SysAllocString(u"C:\\data\\report.txt");
    Variant empty;
    empty->vt = VT_I4; // must come back empty
    auto setFileName = slot<HRESULT (*)(void*, BSTR, VARIANT_BOOL, VARIANT*)>(file.get(), 7);
    ASSERT_EQ(setFileName(file.get(), path, VARIANT_TRUE, empty.get()), S_OK);
    EXPECT_EQ(empty->vt, VT_EMPTY);

    auto getFileInfo = slot<HRESULT (*)(void*, LONG*, VARIANT_BOOL*, BSTR*)>(file.get(), 8);
    const struct {
        LONG which;
        VARIANT_BOOL slash;
        std::u16string expected;
    } cases[] = {
        {FileExt, VARIANT_TRUE, u"txt"},
        {FullFilePath, VARIANT_TRUE, u"C:\\data\\report.txt"},
        {FileNameWExt, VARIANT_TRUE, u"report.txt"},
    };
    for (const auto& c : cases) {
        LONG which = c.which;
        VARIANT_BOOL slash = c.slash;
        BSTR out = nullptr;
        ASSERT_EQ(getFileInfo(file.get(), &which, &slash, &out), S_OK);
        EXPECT_EQ(text(out), c.expected);
        EXPECT_EQ(which, c.which) << "by-reference input left unchanged";
        SysFreeString(out);
    }
    SysFreeString(path);
}

TEST_F(VtableTest, CommonStringSlots) {
    ComPtr<_Common> common;
    ASSERT_EQ(create(CLSID_Common, IID__Common, common), S_OK);
    using StringFn = HRESULT (*)(void*, BSTR, BSTR*);
    const struct {
        int slot;
        std::u16string in;
        std::u16string expected;
    } cases[] = {
        {7, u"   ", u"0"}, // EmptyStringToZero
        {7, u" 7 ", u"7"},
        {17, std::u16string(u"abc\0def", 7), u"abc"}, // StripTerminator
        {17, u"plain", u"plain"},
    };
    for (const auto& c : cases) {
        BSTR in = SysAllocStringLen(c.in.data(), static_cast<UINT>(c.in.size()));
        BSTR out = nullptr;
        ASSERT_EQ(slot<StringFn>(common.get(), c.slot)(common.get(), in, &out), S_OK) << c.slot;
        EXPECT_EQ(text(out), c.expected) << c.slot;
        SysFreeString(out);
        SysFreeString(in);
    }

    // RemoveSpaces takes its counter by reference.
    BSTR spaced = SysAllocString(u" a   b  c ");
    SHORT counter = 2;
    BSTR out = nullptr;
    ASSERT_EQ(slot<HRESULT (*)(void*, BSTR, SHORT*, BSTR*)>(common.get(), 11)(common.get(), spaced,
                                                                              &counter, &out),
              S_OK);
    EXPECT_EQ(text(out), u"a b c");
    EXPECT_EQ(counter, 2);
    SysFreeString(out);
    SysFreeString(spaced);
}

TEST_F(VtableTest, CommonFileSlots) {
    ComPtr<_Common> common;
    ASSERT_EQ(create(CLSID_Common, IID__Common, common), S_OK);
    // FileOrDirExists with both texts absent (null BSTRs are "").
    VARIANT_BOOL exists = VARIANT_TRUE;
    ASSERT_EQ(slot<HRESULT (*)(void*, BSTR, BSTR, VARIANT_BOOL*)>(common.get(), 18)(
                  common.get(), nullptr, nullptr, &exists),
              S_OK);
    EXPECT_EQ(exists, VARIANT_FALSE);

    // FindTextFileLength counts lines; a missing file gives -1.
    const auto file =
        std::filesystem::temp_directory_path() / ("qor-iface-lines-" + std::to_string(::getpid()));
    std::ofstream(file) << "one\r\ntwo\r\nthree\r\n";
    auto lines = slot<HRESULT (*)(void*, BSTR, LONG*)>(common.get(), 19);
    BSTR path = SysAllocString(qor::fromUtf8(file.string()).c_str());
    LONG count = 0;
    ASSERT_EQ(lines(common.get(), path, &count), S_OK);
    EXPECT_EQ(count, 3);
    std::filesystem::remove(file);
    ASSERT_EQ(lines(common.get(), path, &count), S_OK);
    EXPECT_EQ(count, -1);
    SysFreeString(path);

    // GetFileInfo hands out a parsed QorFile that the caller owns.
    BSTR docPath = SysAllocString(u"D:\\work\\notes.doc");
    VARIANT_BOOL failInvalid = VARIANT_TRUE;
    _QorFile* parsed = nullptr;
    ASSERT_EQ(slot<HRESULT (*)(void*, BSTR, VARIANT_BOOL*, _QorFile**)>(common.get(), 9)(
                  common.get(), docPath, &failInvalid, &parsed),
              S_OK);
    ASSERT_NE(parsed, nullptr);
    InfoType which = FilePath;
    VARIANT_BOOL slash = VARIANT_FALSE;
    BSTR folder = nullptr;
    ASSERT_EQ(parsed->GetFileInfo(&which, &slash, &folder), S_OK);
    EXPECT_EQ(text(folder), u"D:\\work");
    SysFreeString(folder);
    EXPECT_EQ(parsed->Release(), 0u);
    SysFreeString(docPath);
}

TEST_F(VtableTest, GeoSupportSlots) {
    ComPtr<_GeoSupport> geo;
    ASSERT_EQ(create(CLSID_GeoSupport, IID__GeoSupport, geo), S_OK);
    auto angle = slot<HRESULT (*)(void*, double, double, SHORT*)>(geo.get(), 11);
    const struct {
        double x, y;
        SHORT expected;
    } cases[] = {{1, 1, 45}, {-1, -1, 225}, {3, 4, 36}, {0, -5, 180}};
    for (const auto& c : cases) {
        SHORT result = -1;
        ASSERT_EQ(angle(geo.get(), c.x, c.y, &result), S_OK);
        EXPECT_EQ(result, c.expected) << c.x << "," << c.y;
    }

    Collection* formats = nullptr;
    ASSERT_EQ(slot<HRESULT (*)(void*, Collection**)>(geo.get(), 7)(geo.get(), &formats), S_OK);
    ASSERT_NE(formats, nullptr);
    LONG count = 0;
    EXPECT_EQ(formats->Count(&count), S_OK);
    EXPECT_GT(count, 0);
    formats->Release();

    BSTR shot = SysAllocString(u"1001.5");
    BSTR sortValue = reinterpret_cast<BSTR>(1);
    auto shotPoint = slot<HRESULT (*)(void*, BSTR, SHORT, VARIANT_BOOL*, BSTR*)>(geo.get(), 12);
    ASSERT_EQ(shotPoint(geo.get(), shot, 10, nullptr, &sortValue), S_OK)
        << "optional flag left out";
    EXPECT_EQ(text(sortValue), u"");
    SysFreeString(sortValue);
    SysFreeString(shot);
}

TEST_F(VtableTest, MissingResultPointerIsRefused) {
    ComPtr<_Common> common;
    ASSERT_EQ(create(CLSID_Common, IID__Common, common), S_OK);
    EXPECT_EQ(common->StripTerminator(nullptr, nullptr), E_POINTER);
    SHORT counter = 1;
    EXPECT_EQ(common->RemoveSpaces(nullptr, &counter, nullptr), E_POINTER);
    BSTR out = nullptr;
    EXPECT_EQ(common->RemoveSpaces(nullptr, nullptr, &out), E_POINTER);
}

} // namespace
