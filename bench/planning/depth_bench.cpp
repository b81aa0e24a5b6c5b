#include "physics/depth.h"

#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

void BM_CalcMOD(benchmark::State& state) {
    std::int16_t o2 = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(quillan::CalcMOD(o2));
        o2 = o2 == 100 ? 1 : static_cast<std::int16_t>(o2 + 1);
    }
}
BENCHMARK(BM_CalcMOD);

void BM_CalcPO2(benchmark::State& state) {
    std::int16_t depth = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(quillan::CalcPO2(32.0, depth));
        depth = depth == 500 ? 0 : static_cast<std::int16_t>(depth + 1);
    }
}
BENCHMARK(BM_CalcPO2);

void BM_CalcEND(benchmark::State& state) {
    std::int16_t depth = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(quillan::CalcEND(44.0, depth));
        depth = depth == 500 ? 0 : static_cast<std::int16_t>(depth + 1);
    }
}
BENCHMARK(BM_CalcEND);

} // namespace
