// Costs of the runtime calls every late-bound or created-by-name call pays: text and
// variant handling, and the registry reads behind CLSIDFromProgID (the file is re-read on
// every call so that other processes' registrations are seen).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "qor/registry.h"
#include "qor/runtime.h"

namespace {

void setDefault(const std::string& subKey, const std::string& text) {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CLASSES_ROOT, subKey.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                    nullptr);
    RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
}

// A registry about the size of one registered library with three classes.
void fillRegistry() {
    const char* classes[] = {"QorFile", "Common", "GeoSupport"};
    for (int i = 0; i < 3; ++i) {
        const std::string clsid = "{8489D1E9-DEA0-4EB4-A2A1-D832A389193" + std::to_string(i) + "}";
        setDefault("CLSID\\" + clsid, std::string(classes[i]));
        setDefault("CLSID\\" + clsid + "\\InprocServer32", "/usr/lib/quillan/QorCommon1.so");
        setDefault("CLSID\\" + clsid + "\\ProgID", std::string("QorCommon1.") + classes[i]);
        setDefault("CLSID\\" + clsid + "\\TypeLib", "{00000000-0000-0000-0000-000000000001}");
        setDefault(std::string("QorCommon1.") + classes[i] + "\\CLSID", clsid);
        setDefault("Interface\\" + clsid + "\\ProxyStubClsid32",
                   "{00020424-0000-0000-C000-000000000046}");
    }
}

void BM_BstrAllocFree(benchmark::State& state) {
    for (auto _ : state) {
        BSTR b = SysAllocString(u"QorCommon1.Common.EmptyStringToZero; ");
        benchmark::DoNotOptimize(b);
        SysFreeString(b);
    }
}
BENCHMARK(BM_BstrAllocFree);

void BM_DoubleToText(benchmark::State& state) {
    VARIANT src, dst;
    VariantInit(&src);
    VariantInit(&dst);
    src.vt = VT_R8;
    src.dblVal = 1.0 / 3;
    for (auto _ : state) {
        VariantChangeType(&dst, &src, 0, VT_BSTR);
        VariantClear(&dst);
    }
}
BENCHMARK(BM_DoubleToText);

void BM_TextToShort(benchmark::State& state) {
    VARIANT src, dst;
    VariantInit(&src);
    VariantInit(&dst);
    src.vt = VT_BSTR;
    src.bstrVal = SysAllocString(u" 3000 ");
    for (auto _ : state) {
        VariantChangeType(&dst, &src, 0, VT_I2);
        benchmark::DoNotOptimize(dst.iVal);
    }
    VariantClear(&src);
}
BENCHMARK(BM_TextToShort);

void BM_ClsidFromProgId(benchmark::State& state) {
    CLSID clsid{};
    for (auto _ : state) {
        if (CLSIDFromProgID(u"QorCommon1.Common", &clsid) != S_OK)
            state.SkipWithError("not registered");
    }
}
BENCHMARK(BM_ClsidFromProgId);

} // namespace

int main(int argc, char** argv) {
    // A private registry, so the benchmark neither reads nor writes the user's.
    std::string dir = (std::filesystem::temp_directory_path() / "qor-bench-XXXXXX").string();
    if (::mkdtemp(dir.data()) == nullptr)
        return 1;
    ::setenv("XDG_DATA_HOME", dir.c_str(), 1);
    fillRegistry();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(dir);
    return 0;
}
