#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "qor/registry.h"
#include "qor_test/temp_folder.h"

namespace {

using qor::test::readFile;
using qor::test::writeFile;

LSTATUS setText(HKEY key, const char* name, const std::string& text) {
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1));
}

LSTATUS setNumber(HKEY key, const char* name, DWORD n) {
    return RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&n), 4);
}

// The value as bytes, or the failing status in `status`.
std::string query(HKEY key, const char* name, LSTATUS& status, DWORD* type = nullptr) {
    DWORD size = 0;
    status = RegQueryValueExA(key, name, nullptr, type, nullptr, &size);
    if (status != ERROR_SUCCESS)
        return {};
    std::string data(size, '\0');
    status =
        RegQueryValueExA(key, name, nullptr, type, reinterpret_cast<BYTE*>(data.data()), &size);
    return data;
}

HKEY create(HKEY root, const char* path, DWORD* disposition = nullptr) {
    HKEY key = nullptr;
    EXPECT_EQ(
        RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, disposition),
        ERROR_SUCCESS);
    return key;
}

class Registry : public qor::test::TempRegistryTest {};

TEST_F(Registry, CreateSetQueryAndClose) {
    DWORD disposition = 0;
    HKEY key = create(HKEY_CURRENT_USER, "Software\\Quillan\\Test", &disposition);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    ASSERT_EQ(setText(key, nullptr, "default text"), ERROR_SUCCESS);
    ASSERT_EQ(setText(key, "ThreadingModel", "Apartment"), ERROR_SUCCESS);
    ASSERT_EQ(setNumber(key, "Count", 42), ERROR_SUCCESS);

    LSTATUS status;
    DWORD type = 0;
    EXPECT_EQ(query(key, "", status, &type), std::string("default text", 13)); // with its NUL
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(query(key, "threadingmodel", status),
              std::string("Apartment", 10)); // names ignore case
    const std::string count = query(key, "COUNT", status, &type);
    EXPECT_EQ(type, REG_DWORD);
    ASSERT_EQ(count.size(), 4u);
    EXPECT_EQ(count[0], 42);

    BYTE small[3];
    DWORD size = sizeof small;
    EXPECT_EQ(RegQueryValueExA(key, "ThreadingModel", nullptr, nullptr, small, &size),
              ERROR_MORE_DATA);
    EXPECT_EQ(size, 10u);
    EXPECT_EQ(RegQueryValueExA(key, "Count", nullptr, nullptr, small, nullptr),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);

    HKEY again = create(HKEY_CURRENT_USER, "software\\QUILLAN\\test", &disposition);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
    EXPECT_EQ(query(again, "Count", status).size(), 4u);
    RegCloseKey(again);
}

TEST_F(Registry, MissingKeysAndValues) {
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CLASSES_ROOT, "CLSID\\{nothing}", 0, KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key, nullptr);
    key = create(HKEY_CLASSES_ROOT, "Present");
    LSTATUS status;
    query(key, "absent", status);
    EXPECT_EQ(status, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteValueA(key, "absent"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CLASSES_ROOT, "Absent"), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
    // Nothing was written for reads only.
    EXPECT_EQ(readFile(registryFile()), "QUILLAN-REGISTRY 1\n[HKEY_CLASSES_ROOT\\Present]\n");
}

TEST_F(Registry, RootsAreSeparateTrees) {
    HKEY user = create(HKEY_CURRENT_USER, "Shared");
    HKEY machine = create(HKEY_LOCAL_MACHINE, "Shared");
    setText(user, "Who", "user");
    setText(machine, "Who", "machine");
    LSTATUS status;
    EXPECT_EQ(query(user, "Who", status), std::string("user", 5));
    EXPECT_EQ(query(machine, "Who", status), std::string("machine", 8));
    HKEY classes = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CLASSES_ROOT, "Shared", 0, KEY_READ, &classes),
              ERROR_FILE_NOT_FOUND);
    RegCloseKey(user);
    RegCloseKey(machine);
}

TEST_F(Registry, TwoHandlesSeeEachOthersWrites) {
    HKEY a = create(HKEY_CLASSES_ROOT, "QorTest.Thing\\CLSID");
    HKEY b = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CLASSES_ROOT, "QorTest.Thing", 0, KEY_READ, &b), ERROR_SUCCESS);
    HKEY c = nullptr;
    ASSERT_EQ(RegOpenKeyExA(b, "clsid", 0, KEY_READ, &c), ERROR_SUCCESS);
    setText(a, nullptr, "{X}");
    LSTATUS status;
    EXPECT_EQ(query(c, nullptr, status), std::string("{X}", 4));
    for (HKEY k : {a, b, c})
        EXPECT_EQ(RegCloseKey(k), ERROR_SUCCESS);
}

TEST_F(Registry, DeleteKeyRemovesTheSubtreeAndItsHandlesGoStale) {
    HKEY deep = create(HKEY_CLASSES_ROOT, "CLSID\\{A}\\InprocServer32");
    HKEY sibling = create(HKEY_CLASSES_ROOT, "CLSID\\{B}");
    ASSERT_EQ(RegDeleteKeyA(HKEY_CLASSES_ROOT, "clsid\\{a}"), ERROR_SUCCESS);
    HKEY probe = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CLASSES_ROOT, "CLSID\\{A}\\InprocServer32", 0, KEY_READ, &probe),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegOpenKeyExA(HKEY_CLASSES_ROOT, "CLSID\\{B}", 0, KEY_READ, &probe), ERROR_SUCCESS);
    RegCloseKey(probe);
    EXPECT_EQ(setText(deep, "x", "y"), ERROR_KEY_DELETED);
    LSTATUS status;
    query(deep, "x", status);
    EXPECT_EQ(status, ERROR_KEY_DELETED);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CLASSES_ROOT, ""), ERROR_ACCESS_DENIED);
    RegCloseKey(deep);
    RegCloseKey(sibling);
}

TEST_F(Registry, HandlesAreChecked) {
    HKEY key = create(HKEY_CURRENT_USER, "K");
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(setText(key, "a", "b"), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(nullptr), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(HKEY_CLASSES_ROOT), ERROR_SUCCESS);
    HKEY out = nullptr;
    EXPECT_EQ(
        RegCreateKeyExA(HKEY_CURRENT_USER, "bad\nname", 0, nullptr, 0, 0, nullptr, &out, nullptr),
        ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegSetValueExA(HKEY_CURRENT_USER, "n", 0, REG_DWORD,
                             reinterpret_cast<const BYTE*>("ab"), 2),
              ERROR_INVALID_PARAMETER);
}

struct StoredValue {
    const char* name;
    DWORD type;
    std::string data;
};

class RegistryValues : public qor::test::TempRegistryTest,
                       public ::testing::WithParamInterface<StoredValue> {};

TEST_P(RegistryValues, SurviveTheFileUnchanged) {
    const StoredValue& v = GetParam();
    HKEY key = create(HKEY_CURRENT_USER, "Values");
    ASSERT_EQ(RegSetValueExA(key, v.name, 0, v.type, reinterpret_cast<const BYTE*>(v.data.data()),
                             static_cast<DWORD>(v.data.size())),
              ERROR_SUCCESS);
    RegCloseKey(key);
    // A fresh handle reads the value back from the file.
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Values", 0, KEY_READ, &key), ERROR_SUCCESS);
    LSTATUS status;
    DWORD type = 0;
    EXPECT_EQ(query(key, v.name, status, &type), v.data);
    EXPECT_EQ(type, v.type);
    RegCloseKey(key);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, RegistryValues,
    ::testing::Values(StoredValue{"plain", REG_SZ, std::string("text", 5)},
                      StoredValue{"quotes \"and\" \\slashes\\", REG_SZ,
                                  std::string("say \"hi\" C:\\dir\\", 17)},
                      StoredValue{"lines", REG_SZ, std::string("one\ntwo\r\tthree", 15)},
                      StoredValue{"utf8 \xC3\xA9", REG_SZ, std::string("caf\xC3\xA9", 6)},
                      StoredValue{"", REG_SZ, std::string("", 1)},
                      StoredValue{"no terminator", REG_SZ, std::string("abc")},
                      StoredValue{"inner nul", REG_SZ, std::string("a\0b", 4)},
                      StoredValue{"number", REG_DWORD, std::string("\xff\x00\x00\x80", 4)},
                      StoredValue{"binary", 3, std::string("\x00\x01\xfe", 3)},
                      StoredValue{"nothing", REG_NONE, std::string()}));

TEST_F(Registry, AnotherProcessesWritesAreSeen) {
    HKEY key = create(HKEY_CURRENT_USER, "Shared");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        HKEY own = nullptr;
        RegOpenKeyExA(HKEY_CURRENT_USER, "Shared", 0, KEY_WRITE, &own);
        ::_exit(setText(own, "From", "child") == ERROR_SUCCESS ? 0 : 1);
    }
    int wstatus = 0;
    ASSERT_EQ(::waitpid(child, &wstatus, 0), child);
    ASSERT_TRUE(WIFEXITED(wstatus));
    ASSERT_EQ(WEXITSTATUS(wstatus), 0);
    LSTATUS status;
    EXPECT_EQ(query(key, "From", status), std::string("child", 6));
    RegCloseKey(key);
}

TEST_F(Registry, WritesAreAtomicAndLeaveNoTemporaryFiles) {
    HKEY key = create(HKEY_CURRENT_USER, "Atomic");
    for (int i = 0; i < 20; ++i)
        setNumber(key, "n", static_cast<DWORD>(i));
    RegCloseKey(key);
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(registryFolder()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"registry", "registry.lock"}));
    EXPECT_EQ(readFile(registryFile()),
              "QUILLAN-REGISTRY 1\n[HKEY_CURRENT_USER\\Atomic]\n\"n\"=dword:00000013\n");
}

TEST_F(Registry, FileWrittenByHandIsRead) {
    writeFile(registryFile(), "QUILLAN-REGISTRY 1\n"
                              "[HKEY_CLASSES_ROOT\\QorCommon1.Common\\CLSID]\n"
                              "@=sz:\"{8489D1E9-DEA0-4EB4-A2A1-D832A3891935}\"\n"
                              "\"Bytes\"=hex(3):0a,0B\n");
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CLASSES_ROOT, "QorCommon1.Common\\CLSID", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    LSTATUS status;
    EXPECT_EQ(query(key, nullptr, status),
              std::string("{8489D1E9-DEA0-4EB4-A2A1-D832A3891935}", 39));
    EXPECT_EQ(query(key, "bytes", status), std::string("\x0a\x0b", 2));
    RegCloseKey(key);
}

class DamagedRegistry : public qor::test::TempRegistryTest,
                        public ::testing::WithParamInterface<std::string> {};

TEST_P(DamagedRegistry, EveryCallFailsAndTheFileStays) {
    writeFile(registryFile(), GetParam());
    testing::internal::CaptureStderr();
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CLASSES_ROOT, "Any", 0, KEY_READ, &key), ERROR_BADDB);
    EXPECT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, "Any", 0, nullptr, 0, 0, nullptr, &key, nullptr),
              ERROR_BADDB);
    EXPECT_EQ(setText(HKEY_CURRENT_USER, "v", "x"), ERROR_BADDB);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Any"), ERROR_BADDB);
    EXPECT_EQ(RegDeleteValueA(HKEY_CURRENT_USER, "v"), ERROR_BADDB);
    LSTATUS status;
    query(HKEY_CURRENT_USER, "v", status);
    EXPECT_EQ(status, ERROR_BADDB);
    CLSID clsid{};
    EXPECT_EQ(CLSIDFromProgID(u"QorTest.Any", &clsid), REGDB_E_READREGDB);
    const std::string messages = testing::internal::GetCapturedStderr();
    EXPECT_NE(messages.find("is damaged"), std::string::npos);
    EXPECT_NE(messages.find(registryFile().string()), std::string::npos);
    EXPECT_EQ(messages.find("is damaged"), messages.rfind("is damaged")); // said once
    EXPECT_EQ(key, nullptr);
    EXPECT_EQ(readFile(registryFile()), GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Faults, DamagedRegistry,
    ::testing::Values(std::string(""), std::string("garbage\n"),
                      std::string("QUILLAN-REGISTRY 2\n"),
                      std::string("QUILLAN-REGISTRY 1\n[HKEY_CURRENT_USER\\Cut]"),
                      std::string("QUILLAN-REGISTRY 1\n@=sz:\"no key\"\n"),
                      std::string("QUILLAN-REGISTRY 1\n[HKEY_NOWHERE\\K]\n"),
                      std::string("QUILLAN-REGISTRY 1\n[HKEY_CURRENT_USER\\\\K]\n"),
                      std::string("QUILLAN-REGISTRY 1\n[HKEY_CURRENT_USER\\K]\n\"a\"=sz:\"\\q\"\n"),
                      std::string("QUILLAN-REGISTRY 1\n[HKEY_CURRENT_USER\\K]\n\"a\"=dword:12\n"),
                      std::string("QUILLAN-REGISTRY 1\n[HKEY_CURRENT_USER\\K]\n\"a\"=hex(3):1,2\n"),
                      std::string("QUILLAN-REGISTRY 1\n[HKEY_CURRENT_USER\\K]\n\"a\"=sz:\"x\"\n"
                                  "\"A\"=sz:\"y\"\n"),
                      std::string("QUILLAN-REGISTRY 1\n[HKEY_CURRENT_USER\\K]\n\n")));

} // namespace
