// The runtime used from several threads at once: class creation racing the unloading of
// idle servers, and reference counts changed from many threads. Also built with
// ThreadSanitizer.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "fake_server.h"
#include "qor/com_object.h"
#include "qor/runtime.h"
#include "qor_test/child_process.h"
#include "qor_test/inproc_registration.h"
#include "qor_test/temp_folder.h"

namespace {

using Clock = std::chrono::steady_clock;

// Runs `work` on `threads` threads until `duration` has passed.
void runConcurrently(int threads, std::chrono::milliseconds duration,
                     const std::function<void(int thread)>& work) {
    const auto end = Clock::now() + duration;
    std::vector<std::thread> pool;
    for (int t = 0; t < threads; ++t)
        pool.emplace_back([&, t] {
            while (Clock::now() < end)
                work(t);
        });
    for (std::thread& thread : pool)
        thread.join();
}

class ThreadedCreation : public qor::test::TempRegistryTest {};

// A server that CoFreeUnusedLibraries finds idle must not be closed while another thread
// is between loading it and receiving its class factory. Each creation finds the server
// idle at first, so every round loads and unloads it.
TEST_F(ThreadedCreation, UnloadingIdleServersRacesNoCreation) {
    constexpr DWORD kGraceMs = 10;
    ASSERT_EQ(registerInprocServer(kFakeClsidText, FAKE_SERVER_PATH), ERROR_SUCCESS);
    const int code = qor::test::runInChild(
        [] {
            std::atomic<int> failures{0};
            // Creators pause now and then, all together, so the server falls idle for
            // longer than the grace period and is unloaded and loaded again many times.
            runConcurrently(6, std::chrono::milliseconds(1500), [&](int thread) {
                if (thread == 0) {
                    CoFreeUnusedLibrariesEx(kGraceMs, 0);
                    return;
                }
                const auto now = Clock::now().time_since_epoch();
                if (now % std::chrono::milliseconds(60) < std::chrono::milliseconds(25)) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
                    return;
                }
                IDispatch* object = nullptr;
                if (FAILED(CoCreateInstance(kFakeClsid, nullptr, CLSCTX_INPROC_SERVER,
                                            IID_IDispatch, reinterpret_cast<void**>(&object))))
                    ++failures;
                else
                    object->Release();
            });
            CoFreeUnusedLibraries();
            return failures.load() == 0 ? 0 : 3;
        },
        20);
    EXPECT_EQ(code, 0) << "128 + signal when the process crashed";
}

qor::ModuleLocks gCountedModule;

class CountedObject final
    : public qor::ComObject<CountedObject, qor::Implements<IUnknown, IID_IUnknown>>,
      private qor::CountedInModule<gCountedModule> {
  public:
    static HRESULT create(REFIID riid, void** ppv) { return ComObject::create(riid, ppv); }
};

// AddRef and Release from many threads keep an exact count: the object and the factory
// end with the one reference the test holds, and the module is idle once both go.
TEST(ThreadedCounts, ObjectAndFactoryCountsStayExact) {
    IClassFactory* factory = nullptr;
    ASSERT_EQ((qor::ClassFactory<CountedObject, gCountedModule>::create(
                  IID_IClassFactory, reinterpret_cast<void**>(&factory))),
              S_OK);
    IUnknown* object = nullptr;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&object)),
              S_OK);
    runConcurrently(4, std::chrono::milliseconds(300), [&](int) {
        for (int i = 0; i < 1000; ++i) {
            object->AddRef();
            factory->AddRef();
            factory->LockServer(1);
            object->Release();
            factory->Release();
            factory->LockServer(0);
        }
    });
    EXPECT_EQ(object->Release(), 0u);
    EXPECT_FALSE(gCountedModule.canUnloadNow()); // the factory is alive
    EXPECT_EQ(factory->Release(), 0u);
    EXPECT_TRUE(gCountedModule.canUnloadNow());
}

} // namespace
