// The library's objects and class factories counted from several threads at once: a
// host may hand an object to another thread, and DllCanUnloadNow may be asked from any.
#include <thread>
#include <vector>

#include "server_fixture.h"

namespace {

class ThreadedCounts : public ServerTest, public ::testing::WithParamInterface<const CLSID*> {};

TEST_P(ThreadedCounts, AddRefAndReleaseFromManyThreadsKeepExactCounts) {
    IClassFactory* factory = nullptr;
    ASSERT_EQ(
        server_.getClassObject(*GetParam(), IID_IClassFactory, reinterpret_cast<void**>(&factory)),
        S_OK);
    IDispatch* object = nullptr;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&object)),
              S_OK);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 200000; ++i) {
                object->AddRef();
                factory->AddRef();
                object->Release();
                factory->Release();
            }
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(object->AddRef(), 2u);
    EXPECT_EQ(object->Release(), 1u);
    EXPECT_EQ(object->Release(), 0u);
    EXPECT_EQ(server_.canUnloadNow(), S_FALSE); // the factory is still held
    EXPECT_EQ(factory->Release(), 0u);
    EXPECT_EQ(server_.canUnloadNow(), S_OK);
}

INSTANTIATE_TEST_SUITE_P(Classes, ThreadedCounts,
                         ::testing::Values(&CLSID_QorFile, &CLSID_Common, &CLSID_GeoSupport));

} // namespace
