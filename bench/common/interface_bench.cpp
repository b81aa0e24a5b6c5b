// QorCommon1 through its binary interface: the same operation early-bound through the
// vtable and late-bound through Invoke by DISPID, and CoCreateInstance by ProgID, first
// call (in a fresh child process, so the library is loaded then) and later calls.
#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>

#include "QorCommon1.h"
#include "qor/runtime.h"

namespace {

double cpuSeconds() {
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

_Common* createCommon() {
    CLSID clsid{};
    _Common* common = nullptr;
    if (CLSIDFromProgID(u"QorCommon1.Common", &clsid) != S_OK ||
        CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID__Common,
                         reinterpret_cast<void**>(&common)) != S_OK)
        return nullptr;
    return common;
}

// Runs in a child process, which has never loaded the library: the first creation there
// includes finding the class in the registry and loading the library with its dependencies.
void firstCreationInChild(benchmark::State& state) {
    double childCpu = 0;
    for (auto _ : state) {
        int fds[2];
        if (::pipe(fds) != 0) {
            state.SkipWithError("pipe");
            return;
        }
        const pid_t child = ::fork();
        if (child == 0) {
            const auto start = std::chrono::steady_clock::now();
            const double cpuStart = cpuSeconds();
            _Common* common = createCommon();
            double sent[2] = {
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
                cpuSeconds() - cpuStart};
            if (common == nullptr)
                sent[0] = -1.0;
            [[maybe_unused]] const auto written = ::write(fds[1], sent, sizeof sent);
            ::_exit(0);
        }
        double seconds[2] = {-1.0, 0.0};
        [[maybe_unused]] const auto got = ::read(fds[0], seconds, sizeof seconds);
        ::close(fds[0]);
        ::close(fds[1]);
        ::waitpid(child, nullptr, 0);
        if (seconds[0] < 0) {
            state.SkipWithError("creation failed");
            return;
        }
        childCpu += seconds[1];
        state.SetIterationTime(seconds[0]);
    }
    // The child's own processor time (user + system), less sensitive to a busy machine.
    state.counters["child_cpu_ms"] =
        benchmark::Counter(childCpu * 1000.0 / static_cast<double>(state.iterations()));
}

void BM_CreateByProgIdFirstCall(benchmark::State& state) {
    firstCreationInChild(state);
}
BENCHMARK(BM_CreateByProgIdFirstCall)
    ->UseManualTime()
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);

// The same with Qt already in the process (as in a Qt client such as the calculator):
// what remains is the library itself and the registry.
void BM_CreateByProgIdFirstCallQtLoaded(benchmark::State& state) {
    static void* const qt = ::dlopen(QT_WIDGETS_PATH, RTLD_NOW | RTLD_GLOBAL);
    if (qt == nullptr) {
        state.SkipWithError("Qt Widgets not loadable");
        return;
    }
    firstCreationInChild(state);
}
BENCHMARK(BM_CreateByProgIdFirstCallQtLoaded)
    ->UseManualTime()
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);

// Later creations: the library stays loaded (one object is held throughout).
void BM_CreateByProgIdLaterCalls(benchmark::State& state) {
    _Common* keeper = createCommon();
    if (keeper == nullptr) {
        state.SkipWithError("creation failed");
        return;
    }
    for (auto _ : state) {
        _Common* common = createCommon();
        benchmark::DoNotOptimize(common);
        common->Release();
    }
    keeper->Release();
}
BENCHMARK(BM_CreateByProgIdLaterCalls)->Unit(benchmark::kMicrosecond);

class CommonFixture : public benchmark::Fixture {
  public:
    void SetUp(const benchmark::State&) override {
        common = createCommon();
        input = SysAllocString(u"  gas blend  ");
    }
    void TearDown(const benchmark::State&) override {
        SysFreeString(input);
        if (common)
            common->Release();
    }
    _Common* common = nullptr;
    BSTR input = nullptr;
};

// One string in, one string out: the same call early-bound through the vtable slot...
void callThroughVtable(benchmark::State& state, _Common* common, BSTR input,
                       HRESULT (STDMETHODCALLTYPE _Common::*method)(BSTR, BSTR*)) {
    for (auto _ : state) {
        BSTR out = nullptr;
        (common->*method)(input, &out);
        benchmark::DoNotOptimize(out);
        SysFreeString(out);
    }
}

// ...and late-bound through Invoke by DISPID, the argument and result in VARIANTs.
void callThroughInvoke(benchmark::State& state, _Common* common, BSTR input, DISPID dispid) {
    VARIANT arg;
    VariantInit(&arg);
    arg.vt = VT_BSTR;
    arg.bstrVal = input;
    DISPPARAMS params{&arg, nullptr, 1, 0};
    for (auto _ : state) {
        VARIANT result;
        VariantInit(&result);
        common->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result,
                       nullptr, nullptr);
        benchmark::DoNotOptimize(result.bstrVal);
        VariantClear(&result);
    }
}

BENCHMARK_F(CommonFixture, EmptyStringToZeroVtable)(benchmark::State& state) {
    callThroughVtable(state, common, input, &_Common::EmptyStringToZero);
}

BENCHMARK_F(CommonFixture, EmptyStringToZeroInvoke)(benchmark::State& state) {
    callThroughInvoke(state, common, input, 0x60030000);
}

BENCHMARK_F(CommonFixture, StripTerminatorVtable)(benchmark::State& state) {
    callThroughVtable(state, common, input, &_Common::StripTerminator);
}

BENCHMARK_F(CommonFixture, StripTerminatorInvoke)(benchmark::State& state) {
    callThroughInvoke(state, common, input, 0x6003000B);
}

} // namespace

int main(int argc, char** argv) {
    // A private registry with the library registered, as after installation.
    std::string home = (std::filesystem::temp_directory_path() / "qor-bench-XXXXXX").string();
    if (::mkdtemp(home.data()) == nullptr)
        return 1;
    ::setenv("XDG_DATA_HOME", home.c_str(), 1);
    const std::string regsvr =
        std::string("\"") + QORREGSVR_PATH + "\" \"" + QORCOMMON1_PATH + "\" > /dev/null";
    int status = std::system(regsvr.c_str());
    if (status == 0) {
        benchmark::Initialize(&argc, argv);
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
    }
    std::filesystem::remove_all(home);
    return status == 0 ? 0 : 1;
}
