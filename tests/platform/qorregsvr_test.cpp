#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>

#include "fake_server.h"
#include "qor/registry.h"
#include "qor/runtime.h"
#include "qor_test/temp_folder.h"

namespace {

struct ToolRun {
    int exitCode;
    std::string output; // stdout and stderr together
};

ToolRun runTool(const std::string& arguments) {
    const std::string command = std::string(QORREGSVR_PATH) + " " + arguments + " 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    ToolRun run{-1, {}};
    if (pipe == nullptr)
        return run;
    std::array<char, 512> buf;
    std::size_t n;
    while ((n = std::fread(buf.data(), 1, buf.size(), pipe)) > 0)
        run.output.append(buf.data(), n);
    const int status = ::pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

class Qorregsvr : public qor::test::TempRegistryTest {};

TEST_F(Qorregsvr, RegistersAndUnregistersAServer) {
    const ToolRun reg = runTool(FAKE_SERVER_PATH);
    EXPECT_EQ(reg.exitCode, 0) << reg.output;
    EXPECT_NE(reg.output.find("DllRegisterServer in "), std::string::npos) << reg.output;
    EXPECT_NE(reg.output.find(" succeeded."), std::string::npos) << reg.output;

    CLSID clsid{};
    ASSERT_EQ(CLSIDFromProgID(u"QorTest.Fake", &clsid), S_OK);
    IUnknown* obj = nullptr;
    ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                               reinterpret_cast<void**>(&obj)),
              S_OK);
    obj->Release();
    CoFreeUnusedLibraries();

    const ToolRun unreg = runTool(std::string("-u ") + FAKE_SERVER_PATH);
    EXPECT_EQ(unreg.exitCode, 0) << unreg.output;
    EXPECT_NE(unreg.output.find("DllUnregisterServer in "), std::string::npos) << unreg.output;
    EXPECT_EQ(CLSIDFromProgID(u"QorTest.Fake", &clsid), CO_E_CLASSSTRING);
}

struct Failure {
    std::string arguments;
    int exitCode;
    std::string message;
};

class QorregsvrFailures : public qor::test::TempRegistryTest,
                          public ::testing::WithParamInterface<Failure> {};

TEST_P(QorregsvrFailures, ExitNonZeroAndSayWhy) {
    const ToolRun run = runTool(GetParam().arguments);
    EXPECT_EQ(run.exitCode, GetParam().exitCode) << run.output;
    EXPECT_NE(run.output.find(GetParam().message), std::string::npos) << run.output;
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, QorregsvrFailures,
    ::testing::Values(Failure{"", 1, "usage: qorregsvr [--system] [-u] PATH.so"},
                      Failure{"-x lib.so", 1, "usage"}, Failure{"a.so b.so", 1, "usage"},
                      Failure{"--system --system lib.so", 1, "usage"},
                      Failure{"lib.so --system", 1, "usage"},
                      Failure{"/nonexistent/libNothing.so", 2, "failed to load"},
                      Failure{PLAIN_LIBRARY_PATH, 3, "entry-point DllRegisterServer was not found"},
                      Failure{std::string("-u ") + PLAIN_LIBRARY_PATH, 3,
                              "entry-point DllUnregisterServer"},
                      Failure{FAILING_SERVER_PATH, 4, "failed. Return code was: 0x80070005"}));

} // namespace
