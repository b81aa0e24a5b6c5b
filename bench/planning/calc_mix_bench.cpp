#include "planning/mixer.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <vector>

namespace {

struct Problem {
    std::array<std::int16_t, 4> source; // PSI, O2 %, He %, N %
    std::array<std::int16_t, 4> target;
    std::int16_t topupO2;
};

// One pass, several passes, a full release, failures: the mix a blender's day brings.
const std::array kProblems{
    Problem{{0, 0, 0, 0}, {3000, 32, 0, 68}, 21},        // nitrox from empty, one pass
    Problem{{0, 0, 0, 0}, {3000, 21, 35, 44}, 21},       // trimix from empty
    Problem{{500, 32, 0, 68}, {3000, 32, 0, 68}, 21},    // nitrox on nitrox
    Problem{{500, 21, 35, 44}, {3000, 32, 0, 68}, 21},   // helium source released whole
    Problem{{1000, 80, 0, 20}, {3000, 32, 0, 68}, 21},   // six passes
    Problem{{2500, 32, 0, 68}, {3000, 32, 0, 68}, 21},   // top off
    Problem{{0, 0, 0, 0}, {3000, 32, 0, 68}, 36},        // false after one pass
    Problem{{2000, 21, 50, 29}, {2500, 21, 20, 59}, 21}, // ten passes of helium drain
    Problem{{1200, 18, 45, 37}, {3200, 18, 45, 37}, 32}, // trimix top-up with nitrox 32
    Problem{{800, 50, 0, 50}, {3400, 28, 0, 72}, 40},    // nitrox 40 top-up gas
    Problem{{1500, 80, 20, 0}, {2000, 10, 60, 30}, 21},  // runs into the pass limit
    Problem{{3000, 21, 0, 79}, {3500, 100, 0, 0}, 21},   // no top-up left: false
};

// Blends the pass loop cannot settle, which the exact solve plans after it.
const std::array kRescuedProblems{
    Problem{{3000, 21, 0, 79}, {3500, 50, 0, 50}, 21},   // loop false after one drain
    Problem{{1255, 78, 0, 22}, {2012, 28, 0, 72}, 28},   // drained completely
    Problem{{1509, 14, 85, 1}, {4395, 31, 0, 69}, 31},   // helium source released, loop false
    Problem{{1500, 80, 20, 0}, {2000, 10, 60, 30}, 21},  // after the loop's 101 passes
    Problem{{1603, 99, 1, 0}, {1624, 49, 26, 25}, 42},   // loop divides by zero
    Problem{{1413, 61, 18, 21}, {1463, 32, 44, 24}, 44}, // loop overflows
};

template <std::size_t N>
std::vector<quillan::Mixer> loadedMixers(const std::array<Problem, N>& problems) {
    std::vector<quillan::Mixer> mixers;
    for (const Problem& p : problems) {
        quillan::Mixer& mixer = mixers.emplace_back();
        mixer.Load(p.source[0], p.source[1], p.source[2], p.source[3], p.target[0], p.target[1],
                   p.target[2], p.target[3]);
        mixer.TopupMixFO2(p.topupO2);
    }
    return mixers;
}

// Time per solve over the whole set, one solve per iteration.
void BM_CalcMixVaried(benchmark::State& state) {
    std::vector<quillan::Mixer> mixers = loadedMixers(kProblems);
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(mixers[next].CalcMix());
        next = next + 1 == mixers.size() ? 0 : next + 1;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CalcMixVaried);

// Each problem on its own, to see what the pass count costs.
void BM_CalcMixSingle(benchmark::State& state) {
    std::vector<quillan::Mixer> mixers = loadedMixers(kProblems);
    quillan::Mixer& mixer = mixers[static_cast<std::size_t>(state.range(0))];
    for (auto _ : state) {
        benchmark::DoNotOptimize(mixer.CalcMix());
    }
}
BENCHMARK(BM_CalcMixSingle)->DenseRange(0, static_cast<int>(kProblems.size()) - 1);

// Each rescued problem on its own: the loop's attempt plus the exact solve.
void BM_CalcMixRescued(benchmark::State& state) {
    std::vector<quillan::Mixer> mixers = loadedMixers(kRescuedProblems);
    quillan::Mixer& mixer = mixers[static_cast<std::size_t>(state.range(0))];
    for (auto _ : state) {
        benchmark::DoNotOptimize(mixer.CalcMix());
    }
}
BENCHMARK(BM_CalcMixRescued)->DenseRange(0, static_cast<int>(kRescuedProblems.size()) - 1);

} // namespace
