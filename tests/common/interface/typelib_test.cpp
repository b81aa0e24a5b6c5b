// The embedded type library: the library's identity and flags, and agreement with the
// dispatch tables that drive late binding on every name, DISPID, slot and parameter.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "common_object.h"
#include "geo_support_object.h"
#include "msft_reader.h"
#include "qor_file_object.h"
#include "server_fixture.h"
#include "typelib_patch.h"

namespace {

using namespace qor::typelib;
using qor::DispatchTable;
using qor::MethodSpec;
using qor::ParamSpec;

class TypeLibraryTest : public ServerTest {
  protected:
    void SetUp() override {
        ServerTest::SetUp();
        bytes_ = qor::findResource(reinterpret_cast<const void*>(server_.getClassObject), "TYPELIB",
                                   "1");
        ASSERT_FALSE(bytes_.empty());
        lib_ = readLibrary(bytes_);
    }
    std::span<const std::byte> bytes_;
    Library lib_;
};

TEST_F(TypeLibraryTest, LibraryIdentity) {
    EXPECT_EQ(lib_.name, "QorCommon1");
    EXPECT_TRUE(
        lib_.libid ==
        GUID({0xFF4ECE17, 0x5DB3, 0x4B2F, {0x96, 0x80, 0xCE, 0x47, 0x56, 0x32, 0x6C, 0x95}}));
    EXPECT_EQ(lib_.majorVersion, 1);
    EXPECT_EQ(lib_.minorVersion, 1);
    EXPECT_EQ(lib_.lcid, 0x409u);
    EXPECT_EQ(lib_.sysKind, 1) << "Win32";
}

TEST_F(TypeLibraryTest, TypesWithTheirIdentifiersFlagsAndVersions) {
    const std::int32_t dualFlags =
        TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FOLEAUTOMATION;
    const std::int32_t appObject = TYPEFLAG_FAPPOBJECT | TYPEFLAG_FCANCREATE | TYPEFLAG_FPREDECLID;
    const struct {
        const char* name;
        TypeKind kind;
        const GUID* guid;
        std::int32_t flags;  // all of these set
        std::int32_t absent; // none of these set
        int major, minor;
    } cases[] = {
        {"_QorFile", TKIND_DISPATCH, &IID__QorFile, dualFlags, 0, 1, 1},
        {"_Common", TKIND_DISPATCH, &IID__Common, dualFlags, 0, 1, 0},
        {"_GeoSupport", TKIND_DISPATCH, &IID__GeoSupport, dualFlags, 0, 1, 0},
        {"QorFile___v0", TKIND_ALIAS, &IID_QorFile___v0, TYPEFLAG_FHIDDEN, 0, 1, 1},
        {"QorFile", TKIND_COCLASS, &CLSID_QorFile, TYPEFLAG_FCANCREATE,
         TYPEFLAG_FAPPOBJECT | TYPEFLAG_FPREDECLID, 1, 1},
        {"Common", TKIND_COCLASS, &CLSID_Common, appObject, 0, 1, 0},
        {"GeoSupport", TKIND_COCLASS, &CLSID_GeoSupport, appObject, 0, 1, 0},
    };
    for (const auto& c : cases) {
        const TypeInfo* info = lib_.find(c.name);
        ASSERT_NE(info, nullptr) << c.name;
        EXPECT_EQ(info->kind, c.kind) << c.name;
        EXPECT_TRUE(info->guid == *c.guid) << c.name;
        EXPECT_EQ(info->flags & c.flags, c.flags) << c.name;
        EXPECT_EQ(info->flags & c.absent, 0) << c.name;
        EXPECT_EQ(info->majorVersion, c.major) << c.name;
        EXPECT_EQ(info->minorVersion, c.minor) << c.name;
    }
}

TEST_F(TypeLibraryTest, EnumerationsWithTheirMembers) {
    const struct {
        const char* name;
        GUID guid;
        std::vector<std::pair<std::string, std::int32_t>> members;
    } enums[] = {
        {"InfoType",
         {0x0025CE29, 0xCC05, 0x4A60, {0x93, 0x39, 0x31, 0x27, 0xA1, 0xC8, 0x6E, 0x23}},
         {{"FileNameWOext", 0},
          {"FileNameWExt", 1},
          {"FilePath", 2},
          {"FullFilePath", 3},
          {"FileExt", 4}}},
        {"PAD_END",
         {0x83B28273, 0xEF63, 0x440E, {0x8C, 0x93, 0x84, 0x14, 0x3F, 0x2F, 0xCF, 0x4A}},
         {{"PAD_ON_LEFT", 0}, {"PAD_ON_RIGHT", 1}}},
        {"LatLonFormat",
         {0xFADFD123, 0x6F25, 0x4324, {0xB7, 0x5B, 0xD2, 0x0C, 0xAE, 0x74, 0xBF, 0x51}},
         {{"DECIMAL_DEGREES", 0}, {"DMS", 1}}},
        {"GeoCoordType",
         {0xC6F1DE69, 0x6258, 0x4CA6, {0xA1, 0xF7, 0x2D, 0x8E, 0x9B, 0xBF, 0x00, 0xF9}},
         {{"Latcoordinate", 0}, {"LonCoordinate", 1}}},
    };
    for (const auto& e : enums) {
        SCOPED_TRACE(e.name);
        const TypeInfo* info = lib_.find(e.name);
        ASSERT_NE(info, nullptr);
        EXPECT_EQ(info->kind, TKIND_ENUM);
        EXPECT_TRUE(info->guid == e.guid);
        ASSERT_EQ(info->constants.size(), e.members.size());
        for (std::size_t i = 0; i < e.members.size(); ++i) {
            EXPECT_EQ(info->constants[i].name, e.members[i].first);
            EXPECT_EQ(info->constants[i].value, e.members[i].second);
            EXPECT_EQ(info->constants[i].type.vt, VT_INT) << "32-bit INT constants";
        }
    }
}

// The dispatch-table form of a type-library parameter type.
VARTYPE tableType(VARTYPE vt) {
    switch (vt) {
    case VT_USERDEFINED:
        return VT_I4; // the enumerations
    case VT_PTR:
        return VT_DISPATCH; // a specific dual interface
    default:
        return vt;
    }
}

void expectAgreement(const TypeInfo& info, const DispatchTable& table) {
    const auto methods = table.methods();
    ASSERT_EQ(info.functions.size(), methods.size()) << info.name;
    for (std::size_t i = 0; i < methods.size(); ++i) {
        const Function& fn = info.functions[i];
        const MethodSpec& m = methods[i];
        SCOPED_TRACE(info.name + "." + fn.name);
        EXPECT_EQ(qor::fromUtf8(fn.name), m.name);
        EXPECT_EQ(fn.memid, m.dispid);
        EXPECT_EQ(fn.vtableSlot, static_cast<int>(7 + i));
        EXPECT_EQ(fn.invokeKind, 1) << "a method, not a property";
        EXPECT_EQ(fn.result.vt, VT_HRESULT);

        std::vector<const Param*> inputs;
        const Param* retval = nullptr;
        for (const Param& p : fn.params) {
            if (p.flags & PARAMFLAG_FRETVAL)
                retval = &p;
            else
                inputs.push_back(&p);
        }
        ASSERT_EQ(inputs.size(), m.params.size());
        if (retval == nullptr) {
            EXPECT_EQ(m.result, VT_EMPTY);
        } else {
            ASSERT_EQ(retval->type.vt, VT_PTR);
            EXPECT_EQ(tableType(retval->type.pointee), m.result);
        }
        int optional = 0;
        for (std::size_t k = 0; k < inputs.size(); ++k) {
            const Param& p = *inputs[k];
            const ParamSpec& s = m.params[k];
            SCOPED_TRACE(p.name);
            EXPECT_EQ(qor::fromUtf8(p.name), s.name);
            const bool byRef = p.type.vt == VT_PTR;
            EXPECT_EQ(byRef, s.byRef);
            EXPECT_EQ(tableType(byRef ? p.type.pointee : p.type.vt), s.vt);
            EXPECT_EQ((p.flags & PARAMFLAG_FOPT) != 0, s.optional);
            EXPECT_EQ(p.flags & PARAMFLAG_FIN, PARAMFLAG_FIN);
            EXPECT_EQ((p.flags & PARAMFLAG_FOUT) != 0, byRef) << "by reference is [in, out]";
            EXPECT_EQ(s.iid != nullptr, byRef && p.type.pointee == VT_PTR);
            if (s.optional)
                ++optional;
            if (!p.defaultValue.present)
                continue;
            ASSERT_TRUE(s.optional);
            EXPECT_EQ(p.defaultValue.vt, s.vt);
            if (s.vt == VT_BSTR)
                EXPECT_EQ(p.defaultValue.text, "");
            else
                EXPECT_EQ(p.defaultValue.number, s.defaultValue);
        }
        EXPECT_EQ(fn.optionalCount, optional);
    }
}

TEST_F(TypeLibraryTest, DispatchTablesAgreeWithTheTypeLibrary) {
    const struct {
        const char* name;
        const DispatchTable& table;
    } cases[] = {
        {"_QorFile", qor::server::QorFileObject::dispatchTable()},
        {"_Common", qor::server::CommonObject::dispatchTable()},
        {"_GeoSupport", qor::server::GeoSupportObject::dispatchTable()},
    };
    for (const auto& c : cases) {
        const TypeInfo* info = lib_.find(c.name);
        ASSERT_NE(info, nullptr) << c.name;
        expectAgreement(*info, c.table);
    }
}

TEST_F(TypeLibraryTest, EveryOptionalParameterHasItsDefault) {
    const struct {
        const char* type;
        const char* function;
        const char* param;
        VARTYPE vt;
        std::int32_t number;
    } cases[] = {
        {"_QorFile", "GetFileInfo", "WithTrailingSlash", VT_BOOL, -1},
        {"_Common", "ShowError", "ErrorCondition", VT_BSTR, 0},
        {"_Common", "ResetLabel", "InputValue", VT_BSTR, 0},
        {"_Common", "StartDoc", "DisplayError", VT_BOOL, 0},
        {"_Common", "FileOrDirExists", "sFile", VT_BSTR, 0},
        {"_Common", "FileOrDirExists", "sFolder", VT_BSTR, 0},
        {"_GeoSupport", "ShotPointSortValue", "DisplayError", VT_BOOL, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.function) + "." + c.param);
        const TypeInfo* info = lib_.find(c.type);
        ASSERT_NE(info, nullptr);
        const Param* found = nullptr;
        for (const Function& fn : info->functions)
            for (const Param& p : fn.params)
                if (fn.name == c.function && p.name == c.param)
                    found = &p;
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->flags & (PARAMFLAG_FOPT | PARAMFLAG_FHASDEFAULT),
                  PARAMFLAG_FOPT | PARAMFLAG_FHASDEFAULT);
        EXPECT_EQ(found->defaultValue.vt, c.vt);
        EXPECT_FALSE(c.vt == VT_BSTR && found->defaultValue.inlineValue)
            << "text defaults are real texts";
        if (c.vt == VT_BSTR)
            EXPECT_EQ(found->defaultValue.text, "");
        else
            EXPECT_EQ(found->defaultValue.number, c.number);
    }
}

TEST(TypeLibraryPatch, RefusesWhatItCannotPatch) {
    std::ifstream file(QORCOMMON1_WIDL_TYPELIB, std::ios::binary);
    const std::vector<char> raw((std::istreambuf_iterator<char>(file)),
                                std::istreambuf_iterator<char>());
    const auto widl = std::as_bytes(std::span(raw));
    ASSERT_FALSE(widl.empty());

    const std::string_view noSuchClass[] = {"NoSuchClass"};
    EXPECT_THROW(patchTypeLibrary(widl, noSuchClass), FormatError);
    const std::string_view notAClass[] = {"_Common"};
    EXPECT_THROW(patchTypeLibrary(widl, notAClass), FormatError);
    EXPECT_THROW(readLibrary(widl.first(100)), FormatError) << "truncated";
    std::vector<std::byte> garbage(widl.begin(), widl.end());
    garbage[0] = std::byte{'X'};
    EXPECT_THROW(readLibrary(garbage), FormatError);

    // widl's own output lacks exactly what the patch adds.
    const Library before = readLibrary(widl);
    EXPECT_EQ(before.find("Common")->flags & TYPEFLAG_FPREDECLID, 0);
    const std::string_view classes[] = {"Common"};
    const Library after = readLibrary(patchTypeLibrary(widl, classes));
    EXPECT_EQ(after.find("Common")->flags, before.find("Common")->flags | TYPEFLAG_FPREDECLID);
    EXPECT_EQ(after.find("GeoSupport")->flags, before.find("GeoSupport")->flags);
}

} // namespace

namespace {

// Found by fuzzing: a pointer type description that points at itself. It is read one
// level deep, not followed until the stack runs out.
TEST(TypeLibraryReader, APointerLoopIsNotFollowed) {
    const auto path = std::filesystem::path(FUZZ_CORPUS_DIR) / "fuzz_typelib_reader/pointer-loop";
    std::ifstream file(path, std::ios::binary);
    const std::vector<char> raw((std::istreambuf_iterator<char>(file)),
                                std::istreambuf_iterator<char>());
    ASSERT_FALSE(raw.empty()) << path;
    try {
        readLibrary(std::as_bytes(std::span(raw)));
    } catch (const FormatError&) {
    }
}

} // namespace
