// Several processes registering, unregistering and creating the library's classes at once,
// while the registry file is watched: every state it passes through holds the library's
// registration whole or not at all, and a registration that reports success is complete.
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <set>
#include <sstream>

#include "qor/registry.h"
#include "qor_test/temp_folder.h"
#include "server_fixture.h"

namespace {

using Clock = std::chrono::steady_clock;

// The key lines ("[...]") of the registry file as it is now; empty when there is none.
std::set<std::string> keyLines(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::set<std::string> keys;
    std::string line;
    while (std::getline(in, line))
        if (!line.empty() && line.front() == '[')
            keys.insert(line);
    return keys;
}

enum class Role { Register, Unregister, Create };

// One worker process: repeats its step until `end`; exits 0 when every step succeeded as
// its role allows.
[[noreturn]] void work(Role role, Clock::time_point end) {
    int code = 0;
    {
        LoadedServer server;
        while (code == 0 && Clock::now() < end) {
            if (role == Role::Register) {
                code = server.registerServer() == S_OK ? 0 : 3;
            } else if (role == Role::Unregister) {
                code = server.unregisterServer() == S_OK ? 0 : 4;
            } else {
                IDispatch* object = nullptr;
                const HRESULT hr =
                    CoCreateInstance(CLSID_Common, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                     reinterpret_cast<void**>(&object));
                if (SUCCEEDED(hr))
                    object->Release();
                else if (hr != REGDB_E_CLASSNOTREG)
                    code = 5;
                CoFreeUnusedLibraries();
            }
        }
    }
    std::_Exit(code);
}

class RegistrationStress : public ServerTest, public qor::test::TempDataHome {};

TEST_F(RegistrationStress, EveryStateIsWholeOrEmpty) {
    const auto file = registryFile();
    const std::set<std::string> before = keyLines(file);
    ASSERT_EQ(server_.registerServer(), S_OK);
    std::set<std::string> own;
    for (const std::string& key : keyLines(file))
        if (before.count(key) == 0)
            own.insert(key);
    ASSERT_EQ(server_.unregisterServer(), S_OK);
    const std::set<std::string> shared = keyLines(file); // parents such as CLSID stay
    for (const std::string& key : shared)
        own.erase(key);
    ASSERT_GT(own.size(), 20u);

    const auto end = Clock::now() + std::chrono::milliseconds(2500);
    std::vector<pid_t> workers;
    for (const Role role :
         {Role::Register, Role::Register, Role::Unregister, Role::Unregister, Role::Create}) {
        const pid_t pid = ::fork();
        if (pid == 0)
            work(role, end);
        workers.push_back(pid);
    }
    int snapshots = 0, whole = 0, partial = 0;
    while (Clock::now() < end) {
        const std::set<std::string> keys = keyLines(file);
        std::size_t present = 0;
        for (const std::string& key : own)
            present += keys.count(key);
        ++snapshots;
        whole += present == own.size();
        partial += present != 0 && present != own.size();
    }
    for (const pid_t pid : workers) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    }
    EXPECT_EQ(partial, 0) << "of " << snapshots << " snapshots";
    EXPECT_GT(whole, 0);

    ASSERT_EQ(server_.registerServer(), S_OK); // success means everything is there
    std::size_t present = 0;
    for (const std::string& key : keyLines(file))
        present += own.count(key);
    EXPECT_EQ(present, own.size());
}

} // namespace
