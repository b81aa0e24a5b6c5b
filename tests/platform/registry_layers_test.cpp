// The registry as lookups see it: the user's own file over the system files of
// XDG_DATA_DIRS. The system files are written through the same API by pointing the
// writable registry at a system folder, as `qorregsvr --system` does.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "qor/registry.h"
#include "qor_test/temp_folder.h"

namespace {

namespace fs = std::filesystem;

void writeText(const fs::path& dataDir, HKEY root, const char* key, const char* name,
               const std::string& text) {
    ::setenv("XDG_DATA_HOME", dataDir.c_str(), 1);
    HKEY handle = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                             static_cast<DWORD>(text.size() + 1)),
              ERROR_SUCCESS);
    RegCloseKey(handle);
}

// The text value `name` of `key` as lookups see it, or "<status N>".
std::string lookUp(HKEY root, const char* key, const char* name = nullptr) {
    HKEY handle = nullptr;
    LSTATUS status = RegOpenKeyExA(root, key, 0, KEY_READ, &handle);
    if (status != ERROR_SUCCESS)
        return "<status " + std::to_string(status) + ">";
    char data[256] = {};
    DWORD size = sizeof data;
    status = RegQueryValueExA(handle, name, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(handle);
    return status == ERROR_SUCCESS ? std::string(data) : "<status " + std::to_string(status) + ">";
}

const std::string kMissing = "<status " + std::to_string(ERROR_FILE_NOT_FOUND) + ">";

class RegistryLayers : public ::testing::Test {
  protected:
    void SetUp() override {
        home_.emplace();
        user_ = home_->path();
        first_ = scratch_.path() / "first";
        second_ = scratch_.path() / "second";
        useDataDirs(first_.string() + ":" + second_.string());
    }
    void TearDown() override {
        ::setenv("XDG_DATA_HOME", user_.c_str(), 1);
        home_.reset();
    }
    // Lookups read the user's file; `dirs` becomes the system search path.
    void useDataDirs(const std::string& dirs) {
        ::setenv("XDG_DATA_DIRS", dirs.c_str(), 1);
        ::setenv("XDG_DATA_HOME", user_.c_str(), 1);
    }
    void asUser() { ::setenv("XDG_DATA_HOME", user_.c_str(), 1); }

    qor::test::TempDir scratch_;
    std::optional<qor::test::TempDataHome> home_;
    fs::path user_, first_, second_;
};

TEST_F(RegistryLayers, TheFirstLayerHoldingAKeyAnswersForAllItsValues) {
    writeText(second_, HKEY_CLASSES_ROOT, "CLSID\\{A}\\InprocServer32", nullptr, "/second/A.so");
    writeText(second_, HKEY_CLASSES_ROOT, "CLSID\\{A}\\InprocServer32", "ThreadingModel", "Both");
    writeText(first_, HKEY_CLASSES_ROOT, "CLSID\\{B}", nullptr, "first B");
    writeText(second_, HKEY_CLASSES_ROOT, "CLSID\\{B}", nullptr, "second B");
    writeText(user_, HKEY_CLASSES_ROOT, "CLSID\\{C}\\InprocServer32", nullptr, "/user/C.so");
    writeText(first_, HKEY_CLASSES_ROOT, "CLSID\\{C}\\InprocServer32", nullptr, "/first/C.so");
    writeText(first_, HKEY_CLASSES_ROOT, "CLSID\\{C}\\InprocServer32", "ThreadingModel", "Free");
    writeText(second_, HKEY_LOCAL_MACHINE, "SOFTWARE\\Tool", "Path", "/second/tool");
    asUser();

    struct Case {
        HKEY root;
        const char* key;
        const char* name;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {HKEY_CLASSES_ROOT, "CLSID\\{A}\\InprocServer32", nullptr, "/second/A.so"},
        {HKEY_CLASSES_ROOT, "CLSID\\{A}\\InprocServer32", "ThreadingModel", "Both"},
        {HKEY_CLASSES_ROOT, "clsid\\{a}\\inprocserver32", nullptr, "/second/A.so"},
        {HKEY_CLASSES_ROOT, "CLSID\\{B}", nullptr, "first B"}, // XDG order
        {HKEY_CLASSES_ROOT, "CLSID\\{C}\\InprocServer32", nullptr, "/user/C.so"},
        // The user's key hides the system's whole key, not just the values it holds.
        {HKEY_CLASSES_ROOT, "CLSID\\{C}\\InprocServer32", "ThreadingModel", kMissing},
        {HKEY_LOCAL_MACHINE, "SOFTWARE\\Tool", "Path", "/second/tool"},
        {HKEY_CLASSES_ROOT, "CLSID\\{D}", nullptr, kMissing},
    };
    for (const Case& c : cases)
        EXPECT_EQ(lookUp(c.root, c.key, c.name), c.expected)
            << c.key << " " << (c.name ? c.name : "@");
}

TEST_F(RegistryLayers, TheCurrentUsersRootHasNoSystemLayer) {
    writeText(first_, HKEY_CURRENT_USER, "Software\\Quillan", "Look", "dark");
    asUser();
    EXPECT_EQ(lookUp(HKEY_CURRENT_USER, "Software\\Quillan", "Look"), kMissing);
}

TEST_F(RegistryLayers, UnregisteringTheUserEntryRevealsTheSystemOneAndLeavesItAlone) {
    writeText(first_, HKEY_CLASSES_ROOT, "QorCommon1.Common\\CLSID", nullptr, "{system}");
    writeText(user_, HKEY_CLASSES_ROOT, "QorCommon1.Common\\CLSID", nullptr, "{user}");
    const fs::path systemFile = first_ / "quillan" / "registry";
    std::ifstream before(systemFile);
    const std::string systemText{std::istreambuf_iterator<char>(before), {}};

    EXPECT_EQ(lookUp(HKEY_CLASSES_ROOT, "QorCommon1.Common\\CLSID"), "{user}");
    EXPECT_EQ(RegDeleteKeyA(HKEY_CLASSES_ROOT, "QorCommon1.Common"), ERROR_SUCCESS);
    EXPECT_EQ(lookUp(HKEY_CLASSES_ROOT, "QorCommon1.Common\\CLSID"), "{system}");
    // A key only the system holds cannot be deleted through the user's registry.
    EXPECT_EQ(RegDeleteKeyA(HKEY_CLASSES_ROOT, "QorCommon1.Common"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(lookUp(HKEY_CLASSES_ROOT, "QorCommon1.Common\\CLSID"), "{system}");

    std::ifstream after(systemFile);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(after), {}), systemText);
}

TEST_F(RegistryLayers, TheSearchPathFollowsXdgRules) {
    writeText(first_, HKEY_CLASSES_ROOT, "Which", nullptr, "first");
    writeText(second_, HKEY_CLASSES_ROOT, "Which", nullptr, "second");
    const std::string missing = (scratch_.path() / "none").string();
    struct Case {
        std::string dirs;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {second_.string() + ":" + first_.string(), "second"},
        {"relative/dir:" + first_.string(), "first"}, // relative entries are ignored
        {missing + "::" + second_.string() + "/", "second"},
        {missing, kMissing},
    };
    for (const Case& c : cases) {
        useDataDirs(c.dirs);
        EXPECT_EQ(lookUp(HKEY_CLASSES_ROOT, "Which"), c.expected) << c.dirs;
    }
}

// What a transaction wrote, or removed, is what lookups inside it see over the system's.
TEST_F(RegistryLayers, ATransactionSeesItsOwnChangesOverTheSystemLayer) {
    writeText(first_, HKEY_CLASSES_ROOT, "Which", nullptr, "system");
    writeText(first_, HKEY_CLASSES_ROOT, "Gone", nullptr, "system");
    writeText(user_, HKEY_CLASSES_ROOT, "Gone", nullptr, "user");
    asUser();
    struct Seen {
        std::string which, gone;
    } seen;
    const LSTATUS status = QorRegRunTransaction(
        [](void* context) -> LSTATUS {
            writeText(fs::path(std::getenv("XDG_DATA_HOME")), HKEY_CLASSES_ROOT, "Which", nullptr,
                      "user");
            const LSTATUS deleted = RegDeleteKeyA(HKEY_CLASSES_ROOT, "Gone");
            if (deleted != ERROR_SUCCESS)
                return deleted;
            auto& out = *static_cast<Seen*>(context);
            out.which = lookUp(HKEY_CLASSES_ROOT, "Which");
            out.gone = lookUp(HKEY_CLASSES_ROOT, "Gone");
            return ERROR_CANTWRITE; // roll back
        },
        &seen);
    EXPECT_EQ(status, ERROR_CANTWRITE);
    EXPECT_EQ(seen.which, "user");
    EXPECT_EQ(seen.gone, "system");
    EXPECT_EQ(lookUp(HKEY_CLASSES_ROOT, "Which"), "system");
    EXPECT_EQ(lookUp(HKEY_CLASSES_ROOT, "Gone"), "user");
}

TEST_F(RegistryLayers, AnUnusableSystemFileFailsOnlyTheLookupsThatReachIt) {
    writeText(user_, HKEY_CLASSES_ROOT, "Mine", nullptr, "user");
    asUser();
    fs::create_directories(first_ / "quillan");
    std::ofstream(first_ / "quillan" / "registry") << "not a registry\n";
    fs::create_directories(second_ / "quillan" / "registry"); // a folder, not a file

    EXPECT_EQ(lookUp(HKEY_CLASSES_ROOT, "Mine"), "user");
    EXPECT_EQ(lookUp(HKEY_CLASSES_ROOT, "Elsewhere"),
              "<status " + std::to_string(ERROR_BADDB) + ">");
    useDataDirs(second_.string());
    EXPECT_EQ(lookUp(HKEY_CLASSES_ROOT, "Elsewhere"),
              "<status " + std::to_string(ERROR_BADDB) + ">");
}

} // namespace
