// The registry against hostile files and environments: limits on keys and values, files
// that are not regular files, planted links, and a folder that is not absolute.
#include <gtest/gtest.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "qor/registry.h"
#include "qor/runtime.h"
#include "qor_test/child_process.h"
#include "qor_test/temp_folder.h"

namespace {

using qor::test::readFile;
using qor::test::writeFile;

namespace fs = std::filesystem;

LSTATUS createKey(const std::string& path) {
    HKEY key = nullptr;
    const LSTATUS status = RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0,
                                           KEY_WRITE, nullptr, &key, nullptr);
    RegCloseKey(key);
    return status;
}

LSTATUS setValue(const std::string& name, std::size_t size) {
    const std::vector<BYTE> data(size, 0x41);
    return RegSetValueExA(HKEY_CURRENT_USER, name.c_str(), 0, 3, data.data(),
                          static_cast<DWORD>(size));
}

std::string nested(std::size_t depth, const std::string& segment = "k") {
    std::string path = segment;
    for (std::size_t i = 1; i < depth; ++i)
        path += "\\" + segment;
    return path;
}

// The description of the error object a failed call left, as UTF-8.
std::string errorDescription() {
    qor::ComPtr<IErrorInfo> info;
    if (GetErrorInfo(0, info.out()) != S_OK)
        return {};
    qor::Bstr text;
    info->GetDescription(text.out());
    return qor::toUtf8(text.str());
}

class RegistryLimits : public qor::test::TempRegistryTest {};

TEST_F(RegistryLimits, CallsBeyondTheLimitsFailAndChangeNothing) {
    struct Case {
        const char* what;
        std::function<LSTATUS()> call;
        LSTATUS expected;
    };
    const std::vector<Case> cases = {
        {"512 levels", [] { return createKey(nested(512)); }, ERROR_SUCCESS},
        {"513 levels", [] { return createKey(nested(513, "d")); }, ERROR_INVALID_PARAMETER},
        {"255-byte name", [] { return createKey(std::string(255, 'n')); }, ERROR_SUCCESS},
        {"256-byte name", [] { return createKey(std::string(256, 'm')); }, ERROR_INVALID_PARAMETER},
        {"16383-byte value name", [] { return setValue(std::string(16383, 'v'), 1); },
         ERROR_SUCCESS},
        {"16384-byte value name", [] { return setValue(std::string(16384, 'w'), 1); },
         ERROR_INVALID_PARAMETER},
        {"1 MiB value", [] { return setValue("big", 1024 * 1024); }, ERROR_SUCCESS},
        {"1 MiB + 1 value", [] { return setValue("bigger", 1024 * 1024 + 1); },
         ERROR_INVALID_PARAMETER},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.call(), c.expected) << c.what;
    const std::string text = readFile(registryFile());
    EXPECT_EQ(text.find("\\d"), std::string::npos);
    EXPECT_EQ(text.find(std::string(256, 'm')), std::string::npos);
    EXPECT_EQ(text.find(std::string(16384, 'w')), std::string::npos);
    EXPECT_EQ(text.find("bigger"), std::string::npos);
}

// Each key's line names its whole path, so two chains of the deepest, longest keys make
// some 67.3 MB of text: just past the cap, and quicker to make than values that size.
LSTATUS fillPastTheCap(void*) {
    LSTATUS status = ERROR_SUCCESS;
    for (char c = 'a'; c < 'c' && status == ERROR_SUCCESS; ++c)
        status = createKey(nested(512, std::string(255, c)));
    return status;
}

TEST_F(RegistryLimits, ASaveThatWouldPassTheFileCapIsRefusedAndTheFileStaysReadable) {
    ASSERT_EQ(createKey("Kept"), ERROR_SUCCESS);
    const std::string before = readFile(registryFile());
    testing::internal::CaptureStderr();
    EXPECT_EQ(QorRegRunTransaction(fillPastTheCap, nullptr), ERROR_CANTWRITE);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("would grow past"), std::string::npos);
    EXPECT_TRUE(readFile(registryFile()) == before);
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Kept", 0, KEY_READ, &key), ERROR_SUCCESS);
    RegCloseKey(key);
}

// Files no call could have written: each is refused as damaged and left alone. Each body
// is built by the test that uses it; built as parameter values, the megabyte bodies would
// be made at the start of every test process.
using FileBody = std::string (*)();

class FileBeyondTheLimits : public qor::test::TempRegistryTest,
                            public ::testing::WithParamInterface<FileBody> {};

TEST_P(FileBeyondTheLimits, IsRefusedAsDamaged) {
    const std::string text = "QUILLAN-REGISTRY 1\n" + GetParam()();
    writeFile(registryFile(), text);
    testing::internal::CaptureStderr();
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "k", 0, KEY_READ, &key), ERROR_BADDB);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(readFile(registryFile()), text);
}

// A system layer is read by the same rules: a lookup that reaches it fails the same way.
TEST_P(FileBeyondTheLimits, IsRefusedAsDamagedInASystemLayerToo) {
    qor::test::TempDir system;
    const std::string text = "QUILLAN-REGISTRY 1\n" + GetParam()();
    writeFile(system.path() / "quillan" / "registry", text);
    const int code = qor::test::runInChild([&] {
        ::close(2);
        ::setenv("XDG_DATA_DIRS", system.path().c_str(), 1);
        HKEY key = nullptr;
        return RegOpenKeyExA(HKEY_CLASSES_ROOT, "k", 0, KEY_READ, &key) == ERROR_BADDB ? 0 : 3;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(readFile(system.path() / "quillan" / "registry"), text);
}

std::string tooDeep() {
    return "[HKEY_CURRENT_USER\\" + nested(513) + "]\n";
}
std::string keyNameTooLong() {
    return "[HKEY_CURRENT_USER\\" + std::string(256, 'n') + "]\n";
}
std::string valueNameTooLong() {
    return "[HKEY_CURRENT_USER\\k]\n\"" + std::string(16384, 'v') + "\"=dword:00000001\n";
}
std::string textValueTooLong() {
    return "[HKEY_CURRENT_USER\\k]\n@=sz:\"" + std::string(1024 * 1024, 'x') + "\"\n";
}
std::string binaryValueTooLong() {
    std::string line = "[HKEY_CURRENT_USER\\k]\n\"v\"=hex(3):00";
    for (int i = 0; i < 1024 * 1024; ++i)
        line += ",41";
    return line + "\n";
}

INSTANTIATE_TEST_SUITE_P(Limits, FileBeyondTheLimits,
                         ::testing::Values(&tooDeep, &keyNameTooLong, &valueNameTooLong,
                                           &textValueTooLong, &binaryValueTooLong));

// A reader on a small stack: a key nested far beyond the limit must neither be built into
// a tree nor torn down recursively.
void* openOnSmallStack(void* status) {
    HKEY key = nullptr;
    *static_cast<LSTATUS*>(status) = RegOpenKeyExA(HKEY_CURRENT_USER, "k", 0, KEY_READ, &key);
    RegCloseKey(key);
    return nullptr;
}

TEST_F(RegistryLimits, AVeryDeepKeyInTheFileDoesNotCrashTheReader) {
    writeFile(registryFile(), "QUILLAN-REGISTRY 1\n[HKEY_CURRENT_USER\\" + nested(100000) + "]\n");
    const int code = qor::test::runInChild([] {
        ::close(2); // the damage report is not this test's subject
        pthread_attr_t attr;
        pthread_attr_init(&attr);
        pthread_attr_setstacksize(&attr, 256 * 1024);
        pthread_t thread;
        LSTATUS status = ERROR_SUCCESS;
        if (pthread_create(&thread, &attr, openOnSmallStack, &status) != 0)
            return 3;
        pthread_join(thread, nullptr);
        return status == ERROR_BADDB ? 0 : 4;
    });
    EXPECT_EQ(code, 0);
}

// What stands where the registry file should be, and what the refusal says.
struct NotAFile {
    const char* what;
    std::function<void(const fs::path& file)> plant;
    const char* reason;
};

// In a child process: a key lookup and a ProgID lookup both fail as a damaged registry, and
// the error says `reason`. The exit status: 0, or which check failed.
int lookupsReportTheDamage(const char* reason) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, "Any", 0, KEY_READ, &key) != ERROR_BADDB)
        return 3;
    CLSID clsid{};
    if (CLSIDFromProgID(u"QorTest.Any", &clsid) != REGDB_E_READREGDB)
        return 4;
    return errorDescription().find(reason) != std::string::npos ? 0 : 5;
}

class RegistryNotAFile : public qor::test::TempRegistryTest,
                         public ::testing::WithParamInterface<NotAFile> {};

TEST_P(RegistryNotAFile, IsAClearErrorNeverAHang) {
    fs::create_directories(registryFolder());
    GetParam().plant(registryFile());
    const int code = qor::test::runInChild(
        [] {
            ::close(2);
            return lookupsReportTheDamage(GetParam().reason);
        },
        3);
    EXPECT_EQ(code, 0) << GetParam().what << " (128 + " << SIGALRM << ": hung)";
}

TEST_P(RegistryNotAFile, InASystemLayerIsAClearErrorNeverAHang) {
    qor::test::TempDir system;
    fs::create_directories(system.path() / "quillan");
    GetParam().plant(system.path() / "quillan" / "registry");
    const int code = qor::test::runInChild(
        [&] {
            ::close(2);
            ::setenv("XDG_DATA_DIRS", system.path().c_str(), 1);
            return lookupsReportTheDamage(GetParam().reason);
        },
        3);
    EXPECT_EQ(code, 0) << GetParam().what << " (128 + " << SIGALRM << ": hung)";
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, RegistryNotAFile,
    ::testing::Values(NotAFile{"fifo", [](const fs::path& f) { ::mkfifo(f.c_str(), 0600); },
                               "is not a regular file"},
                      NotAFile{"/dev/zero",
                               [](const fs::path& f) { fs::create_symlink("/dev/zero", f); },
                               "is not a regular file"},
                      NotAFile{"folder", [](const fs::path& f) { fs::create_directory(f); },
                               "is not a regular file"},
                      NotAFile{"link to a registry",
                               [](const fs::path& f) {
                                   writeFile(f.string() + "-target", "QUILLAN-REGISTRY 1\n");
                                   fs::create_symlink(f.string() + "-target", f);
                               },
                               "(a symbolic link)"},
                      NotAFile{"65 MiB",
                               [](const fs::path& f) {
                                   writeFile(f, "QUILLAN-REGISTRY 1\n");
                                   fs::resize_file(f, 65u * 1024 * 1024); // sparse: quick to make
                               },
                               "is larger than"}));

class RegistryPlantedLinks : public qor::test::TempRegistryTest {};

TEST_F(RegistryPlantedLinks, AreNeverWrittenThrough) {
    qor::test::TempDir elsewhere;
    const fs::path victim = elsewhere.write("victim", "precious");
    fs::create_directories(registryFolder());
    for (const char* name : {"registry.tmp", "registry.new", "registry.XXXXXX"})
        fs::create_symlink(victim, registryFolder() / name);
    ASSERT_EQ(createKey("Planted"), ERROR_SUCCESS);
    EXPECT_EQ(readFile(victim), "precious");
    EXPECT_TRUE(fs::is_symlink(registryFolder() / "registry.tmp"));
    EXPECT_FALSE(fs::is_symlink(registryFile()));
    EXPECT_NE(readFile(registryFile()).find("Planted"), std::string::npos);
}

TEST_F(RegistryPlantedLinks, ALinkedLockFileIsRefused) {
    qor::test::TempDir elsewhere;
    const fs::path target = elsewhere.path() / "created-by-lock";
    fs::create_directories(registryFolder());
    fs::create_symlink(target, registryFolder() / "registry.lock");
    testing::internal::CaptureStderr();
    EXPECT_NE(createKey("Locked"), ERROR_SUCCESS);
    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, "Locked", 0, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("symbolic link"), std::string::npos);
    EXPECT_FALSE(fs::exists(target));
}

TEST_F(RegistryPlantedLinks, AWriteKeepsTheFileMode) {
    ASSERT_EQ(createKey("First"), ERROR_SUCCESS);
    fs::permissions(registryFile(),
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_EQ(createKey("Second"), ERROR_SUCCESS);
    EXPECT_EQ(fs::status(registryFile()).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    for (const auto& entry : fs::directory_iterator(registryFolder())) // no temporary left
        EXPECT_TRUE(entry.path().filename() == "registry" ||
                    entry.path().filename() == "registry.lock")
            << entry.path();
}

// Lookups need no write access to the registry's folder or lock file. Root ignores
// permission bits, so they run as an unprivileged user then.
class RegistryReadOnly : public qor::test::TempRegistryTest,
                         public ::testing::WithParamInterface<bool> {}; // lock file kept

TEST_P(RegistryReadOnly, LookupsStillWork) {
    ASSERT_EQ(createKey("Readable"), ERROR_SUCCESS);
    const fs::path lock = registryFolder() / "registry.lock";
    GetParam() ? fs::permissions(lock, fs::perms(0444)) : void(fs::remove(lock));
    fs::permissions(registryFile(), fs::perms(0644));
    fs::permissions(registryFolder().parent_path(), fs::perms(0755));
    fs::permissions(registryFolder(), fs::perms(0555));
    const int code = qor::test::runInChild([] {
        const bool asNobody = ::geteuid() != 0 || (::setgid(65534) == 0 && ::setuid(65534) == 0);
        HKEY key = nullptr;
        return asNobody && RegOpenKeyExA(HKEY_CURRENT_USER, "Readable", 0, KEY_READ, &key) == 0;
    });
    fs::permissions(registryFolder(), fs::perms(0700));
    EXPECT_EQ(code, 1) << "1: the lookup worked";
}

INSTANTIATE_TEST_SUITE_P(LockFile, RegistryReadOnly, ::testing::Bool());

// Which folder the registry lives in, by the XDG rule: a relative XDG_DATA_HOME is
// ignored, and without an absolute HOME there is no registry at all.
struct FolderRule {
    const char* xdg;  // null: unset
    const char* home; // null: unset; "@" the test's own absolute folder
    bool usable;
};

class RegistryFolder : public ::testing::TestWithParam<FolderRule> {};

TEST_P(RegistryFolder, FollowsTheXdgRule) {
    qor::test::TempDir base;
    qor::test::TempDir noSystemLayer; // an installed package must not answer
    const int code = qor::test::runInChild([&] {
        ::close(2);
        if (::chdir(base.path().c_str()) != 0)
            return 3;
        ::setenv("XDG_DATA_DIRS", noSystemLayer.path().c_str(), 1);
        const auto set = [&](const char* name, const char* value) {
            if (value == nullptr)
                ::unsetenv(name);
            else
                ::setenv(name, std::string(value) == "@" ? base.path().c_str() : value, 1);
        };
        set("XDG_DATA_HOME", GetParam().xdg);
        set("HOME", GetParam().home);
        const LSTATUS status = createKey("Here");
        if (GetParam().usable)
            return status == ERROR_SUCCESS &&
                           fs::exists(base.path() / ".local/share/quillan/registry")
                       ? 0
                       : 4;
        return status == ERROR_PATH_NOT_FOUND ? 0 : 5;
    });
    EXPECT_EQ(code, 0);
    // Nothing was made relative to the current folder.
    for (const auto& entry : fs::directory_iterator(base.path()))
        EXPECT_EQ(entry.path().filename(), ".local") << entry.path();
}

INSTANTIATE_TEST_SUITE_P(Rules, RegistryFolder,
                         ::testing::Values(FolderRule{"relative/data", "@", true},
                                           FolderRule{nullptr, "@", true},
                                           FolderRule{nullptr, "relative-home", false},
                                           FolderRule{"relative/data", nullptr, false},
                                           FolderRule{"", "", false}));

} // namespace
