// Self-registration into a registry kept in a temporary XDG data folder, creation by
// ProgID through the runtime, and unregistration.
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "qor/registry.h"
#include "qor_test/temp_folder.h"
#include "server_fixture.h"

namespace {

constexpr const char* kLibid = "{FF4ECE17-5DB3-4B2F-9680-CE4756326C95}";
constexpr const char* kMarshaller = "{00020424-0000-0000-C000-000000000046}";

std::optional<std::string> readText(const std::string& key, const char* valueName = nullptr) {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return std::nullopt;
    char data[1024] = {};
    DWORD size = sizeof data;
    DWORD type = 0;
    const LSTATUS status =
        RegQueryValueExA(handle, valueName, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(handle);
    if (status != ERROR_SUCCESS || type != REG_SZ)
        return std::nullopt;
    return std::string(data);
}

bool keyExists(const std::string& key) {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    RegCloseKey(handle);
    return true;
}

class RegistrationTest : public ServerTest {
  protected:
    void SetUp() override {
        home_.emplace();
        ServerTest::SetUp();
        libraryPath_ = std::filesystem::canonical(QORCOMMON1_PATH).string();
    }
    void TearDown() override {
        CoFreeUnusedLibraries();
        home_.reset();
    }

    struct Entry {
        std::string key;
        const char* valueName;
        std::string expected;
    };
    std::vector<Entry> expectedEntries() const {
        std::vector<Entry> entries = {
            {std::string("TypeLib\\") + kLibid + "\\1.1", nullptr, "QorCommon1"},
            {std::string("TypeLib\\") + kLibid + "\\1.1\\409\\win32", nullptr, libraryPath_},
            {std::string("TypeLib\\") + kLibid + "\\1.1\\FLAGS", nullptr, "0"},
            {std::string("TypeLib\\") + kLibid + "\\1.1\\HELPDIR", nullptr,
             std::filesystem::path(libraryPath_).parent_path().string()},
        };
        const struct {
            const char* clsid;
            const char* name;
            const char* version;
        } classes[] = {
            {"{A62AF133-5A74-4C67-B829-3EF6F3BD58EA}", "QorFile", "1.1"},
            {"{8489D1E9-DEA0-4EB4-A2A1-D832A3891935}", "Common", "1.0"},
            {"{A7139155-CD59-4FB3-8277-FC5402F96407}", "GeoSupport", "1.0"},
        };
        for (const auto& c : classes) {
            const std::string key = std::string("CLSID\\") + c.clsid;
            const std::string progId = std::string("QorCommon1.") + c.name;
            entries.push_back({key, nullptr, progId});
            entries.push_back({key + "\\InprocServer32", nullptr, libraryPath_});
            entries.push_back({key + "\\InprocServer32", "ThreadingModel", "Apartment"});
            entries.push_back({key + "\\ProgID", nullptr, progId});
            entries.push_back({key + "\\TypeLib", nullptr, kLibid});
            entries.push_back({key + "\\Version", nullptr, c.version});
            entries.push_back({progId, nullptr, progId});
            entries.push_back({progId + "\\CLSID", nullptr, c.clsid});
        }
        const struct {
            const char* iid;
            const char* name;
        } interfaces[] = {
            {"{DAADD04E-632F-4B23-9EC0-7600F67A81AA}", "_QorFile"},
            {"{416C7A4C-15EC-470E-9BCB-56B12177596D}", "_QorFile"},
            {"{86013A46-9588-49E8-B20E-96D34153EEC0}", "_Common"},
            {"{EBE8DE4D-8EC0-4A57-8749-B7E1212BF00C}", "_GeoSupport"},
        };
        for (const auto& i : interfaces) {
            const std::string key = std::string("Interface\\") + i.iid;
            entries.push_back({key, nullptr, i.name});
            entries.push_back({key + "\\ProxyStubClsid", nullptr, kMarshaller});
            entries.push_back({key + "\\ProxyStubClsid32", nullptr, kMarshaller});
            entries.push_back({key + "\\TypeLib", nullptr, kLibid});
            entries.push_back({key + "\\TypeLib", "Version", "1.1"});
        }
        return entries;
    }

    std::optional<qor::test::TempDataHome> home_;
    std::string libraryPath_;
};

TEST_F(RegistrationTest, RegisterWritesEveryEntry) {
    ASSERT_EQ(server_.registerServer(), S_OK);
    for (const Entry& e : expectedEntries())
        EXPECT_EQ(readText(e.key, e.valueName), e.expected)
            << e.key << " " << (e.valueName ? e.valueName : "");
}

TEST_F(RegistrationTest, RegisteringTwiceIsHarmless) {
    ASSERT_EQ(server_.registerServer(), S_OK);
    ASSERT_EQ(server_.registerServer(), S_OK);
    for (const Entry& e : expectedEntries())
        EXPECT_EQ(readText(e.key, e.valueName), e.expected) << e.key;
}

TEST_F(RegistrationTest, ClassesAreCreatedByProgIdOnceRegistered) {
    CLSID clsid{};
    EXPECT_NE(CLSIDFromProgID(u"QorCommon1.Common", &clsid), S_OK);
    ASSERT_EQ(server_.registerServer(), S_OK);
    for (const auto& [progId, expected] :
         {std::pair{u"QorCommon1.QorFile", &CLSID_QorFile},
          std::pair{u"QorCommon1.Common", &CLSID_Common},
          std::pair{u"QorCommon1.GeoSupport", &CLSID_GeoSupport}}) {
        ASSERT_EQ(CLSIDFromProgID(progId, &clsid), S_OK);
        EXPECT_TRUE(clsid == *expected);
        ComPtr<IDispatch> object;
        EXPECT_EQ(
            CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, object.outVoid()),
            S_OK);
    }
    ASSERT_EQ(CLSIDFromProgID(u"QorCommon1.Common", &clsid), S_OK);
    ComPtr<_Common> common;
    ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID__Common, common.outVoid()),
              S_OK);
    BSTR in = SysAllocString(u"  ");
    BSTR out = nullptr;
    ASSERT_EQ(common->EmptyStringToZero(in, &out), S_OK);
    EXPECT_EQ(text(out), u"0");
    SysFreeString(out);
    SysFreeString(in);
}

TEST_F(RegistrationTest, UnregisterRemovesAllOfItAndNothingElse) {
    HKEY other = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT,
                              "CLSID\\{11111111-2222-3333-4444-555555555555}\\InprocServer32", 0,
                              nullptr, 0, KEY_WRITE, nullptr, &other, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(other);
    ASSERT_EQ(server_.registerServer(), S_OK);
    ASSERT_EQ(server_.unregisterServer(), S_OK);
    for (const Entry& e : expectedEntries())
        EXPECT_FALSE(keyExists(e.key)) << e.key;
    EXPECT_FALSE(keyExists(std::string("TypeLib\\") + kLibid));
    EXPECT_TRUE(keyExists("CLSID\\{11111111-2222-3333-4444-555555555555}\\InprocServer32"));
    EXPECT_TRUE(keyExists("CLSID"));
    ComPtr<_Common> common;
    EXPECT_EQ(CoCreateInstance(CLSID_Common, nullptr, CLSCTX_INPROC_SERVER, IID__Common,
                               common.outVoid()),
              REGDB_E_CLASSNOTREG);
    EXPECT_EQ(server_.unregisterServer(), S_OK) << "unregistering what is gone is no failure";
}

} // namespace
