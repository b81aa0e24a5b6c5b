// Property sweep over problems the window can pose: the pass loop's plans come back unchanged,
// every other answer is a sound plan with the least drain or a false, and nothing raises 6 or 11.
// The feasible interval of kept source pressure is worked out here in doubles, independently of
// the solver's integer arithmetic.

#include "engine/number_rules.h"
#include "engine/runtime_error.h"
#include "planning/mixer.h"
#include "planning/partial_pressure.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iostream>
#include <limits>
#include <optional>
#include <sstream>
#include <string>

namespace quillan {
namespace {

constexpr int kProblems = 120000;
constexpr double kTolerancePSI = 2.0;
// Intervals this wide must give a plan; problems this far from any plan must give false.
constexpr double kClearMarginPSI = 3.0;

// A small, fully specified generator so the sweep is the same everywhere.
class SplitMix64 {
  public:
    explicit SplitMix64(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in lo..hi, both included.
    int between(int lo, int hi) {
        return lo + static_cast<int>(next() % static_cast<std::uint64_t>(hi - lo + 1));
    }
    bool chance(int percent) { return between(1, 100) <= percent; }

  private:
    std::uint64_t state_;
};

struct Gas {
    int o2;
    int he;
    int n() const { return 100 - o2 - he; }
};

struct Problem {
    int sourcePSI;
    Gas source;
    int targetPSI;
    Gas target;
    int topupO2;

    std::string text() const {
        std::ostringstream out;
        out << "source " << sourcePSI << " PSI " << source.o2 << "/" << source.he << ", target "
            << targetPSI << " PSI " << target.o2 << "/" << target.he << ", top-up O2 " << topupO2;
        return out.str();
    }
};

struct Plan {
    int drain;
    int helium;
    int oxygen;
    int topup;
    bool operator==(const Plan&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Plan& plan) {
    return out << "drain " << plan.drain << ", He " << plan.helium << ", O2 " << plan.oxygen
               << ", top-up " << plan.topup;
}

// A mix the window allows: O2 + He at most 100, He at most 90; with shares of air, oxygen-rich,
// lean and helium-rich mixes.
Gas randomGas(SplitMix64& random) {
    switch (random.between(0, 5)) {
    case 0:
        return {21, 0};
    case 1:
        return {random.between(0, 100), 0};
    case 2: // oxygen-rich
        return {random.between(60, 100), 0};
    case 3: // lean
        return {random.between(1, 20), random.chance(50) ? 0 : random.between(0, 60)};
    case 4: // helium-rich
    {
        const int he = random.between(50, 90);
        return {random.between(0, 100 - he), he};
    }
    default: {
        const int o2 = random.between(0, 100);
        return {o2, random.between(0, std::min(90, 100 - o2))};
    }
    }
}

Problem randomWindowProblem(SplitMix64& random) {
    Problem p{};
    p.targetPSI = random.between(1, 4500);
    p.sourcePSI = random.chance(15)   ? 0
                  : random.chance(10) ? random.between(0, 4000)
                                      : random.between(0, std::min(4000, p.targetPSI - 1));
    p.source = randomGas(random);
    p.target = randomGas(random);
    p.topupO2 = random.chance(30) ? 21 : random.between(21, 50);
    return p;
}

// The written pass loop, step by step, with the engine's number rules; nothing when it ends
// without a plan or its arithmetic fails.
std::optional<Plan> passLoopPlan(const Problem& p) {
    try {
        const auto psi = [](int value) { return static_cast<std::int16_t>(value); };
        int drain = 0;
        int keep = p.sourcePSI;
        int keepO2 = partialPressure(psi(keep), psi(p.source.o2));
        int keepHe = partialPressure(psi(keep), psi(p.source.he));
        if (p.target.he == 0 && p.source.he > 0) {
            drain = p.sourcePSI;
            keep = keepO2 = keepHe = 0;
        }
        const int targetO2 = partialPressure(psi(p.targetPSI), psi(p.target.o2));
        const double f = p.topupO2 / 100.0;
        int addHe = 0;
        int addO2 = 0;
        for (int passes = 1;; ++passes) {
            addHe = toInt16((p.target.he / 100.0) * p.targetPSI - keepHe);
            const int rest = subInt16(subInt16(psi(p.targetPSI), psi(addHe)), psi(keep));
            const int needO2 = subInt16(psi(targetO2), psi(keepO2));
            const double ratio = checkedDivide(needO2, rest);
            addO2 = toInt16(checkedDivide(ratio - f, 1.0 - f) * rest);
            if (addHe >= 0 && addO2 >= 0 && rest >= 0) {
                break;
            }
            int step = addHe + addO2;
            if (rest >= step) {
                step = std::min(std::abs(std::abs(addHe) > std::abs(addO2) ? addHe : addO2),
                                std::abs(rest));
            }
            drain = addInt16(psi(drain), psi(step));
            if (drain > p.sourcePSI) {
                return std::nullopt;
            }
            keep = subInt16(psi(p.sourcePSI), psi(drain));
            keepO2 = partialPressure(psi(keep), psi(p.source.o2));
            keepHe = partialPressure(psi(keep), psi(p.source.he));
            if (passes > 100) {
                break;
            }
        }
        const int topup = p.targetPSI - keep - addO2 - addHe;
        if (topup <= 0 || drain < 0 || addHe < 0 || addO2 < 0) {
            return std::nullopt;
        }
        return Plan{drain, addHe, addO2, topup};
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
}

// Empty text when the plan fills the cylinder as an ideal gas (drain, then helium, oxygen and at
// least 1 PSI of top-up gas) to the target pressure with O2 and He within tolerance.
std::string replayFault(const Problem& p, const Plan& plan) {
    if (plan.drain < 0 || plan.helium < 0 || plan.oxygen < 0 || plan.topup < 1 ||
        plan.drain > p.sourcePSI) {
        return "a quantity is out of range";
    }
    const double kept = p.sourcePSI - plan.drain;
    const double he = kept * p.source.he / 100.0 + plan.helium;
    const double o2 = kept * p.source.o2 / 100.0 + plan.oxygen + plan.topup * (p.topupO2 / 100.0);
    std::ostringstream fault;
    if (kept + plan.helium + plan.oxygen + plan.topup != p.targetPSI) {
        fault << "does not end at the target pressure; ";
    }
    if (std::abs(o2 - p.targetPSI * p.target.o2 / 100.0) > kTolerancePSI) {
        fault << "O2 " << o2 << " PSI; ";
    }
    if (std::abs(he - p.targetPSI * p.target.he / 100.0) > kTolerancePSI) {
        fault << "He " << he << " PSI; ";
    }
    return fault.str();
}

// The kept pressures lowest..highest for which top-up >= 1 PSI and helium and oxygen >= 0, as
// doubles. `constantShortfall` is how far (PSI) a quantity that no kept pressure changes falls
// short; 0 when none does.
struct Interval {
    double lowest;
    double highest;
    double constantShortfall;
    double width() const { return highest - lowest; }
};

Interval feasibleInterval(const Problem& p) {
    const double fO = p.source.o2 / 100.0, fH = p.source.he / 100.0, fN = p.source.n() / 100.0;
    const double tO = p.targetPSI * p.target.o2 / 100.0, tH = p.targetPSI * p.target.he / 100.0;
    const double tN = p.targetPSI * p.target.n() / 100.0;
    const double g = p.topupO2 / 100.0;
    // Each quantity as value0 - slope * r, with its least allowed value.
    struct Line {
        double value0, slope, least;
    };
    const Line lines[] = {
        {tN / (1 - g), fN / (1 - g), 1.0},                   // top-up
        {tH, fH, 0.0},                                       // helium
        {tO - g * tN / (1 - g), fO - g * fN / (1 - g), 0.0}, // oxygen
    };
    const bool releaseWhole = p.target.he == 0 && p.source.he > 0;
    Interval interval{0.0, releaseWhole ? 0.0 : double(p.sourcePSI), 0.0};
    for (const Line& line : lines) {
        const double room = line.value0 - line.least;
        if (std::abs(line.slope) < 1e-12) {
            interval.constantShortfall = std::max(interval.constantShortfall, -room);
        } else if (line.slope > 0) {
            interval.highest = std::min(interval.highest, room / line.slope);
        } else {
            interval.lowest = std::max(interval.lowest, room / line.slope);
        }
    }
    return interval;
}

struct Counts {
    int loopPlans = 0;
    int rescued = 0;
    int infeasible = 0;
    int borderlinePlans = 0;
    int borderlineFalse = 0;
};

TEST(CalcMixSweep, LoopPlansStayOthersAreExactAndNothingRaises) {
    SplitMix64 random(0x51EEDull);
    Counts counts;
    for (int i = 0; i < kProblems; ++i) {
        const Problem p = randomWindowProblem(random);
        Mixer mixer;
        mixer.Load(p.sourcePSI, p.source.o2, p.source.he, p.source.n(), p.targetPSI, p.target.o2,
                   p.target.he, p.target.n());
        mixer.TopupMixFO2(p.topupO2);
        bool solved = false;
        try {
            solved = mixer.CalcMix();
        } catch (const RuntimeError& error) {
            FAIL() << p.text() << " raised " << error.number;
        }
        const Plan plan{mixer.DrainAmount(), mixer.AddHePSI(), mixer.AddO2PSI(),
                        mixer.TopupMixPSI()};
        if (const std::optional<Plan> loop = passLoopPlan(p)) {
            ASSERT_TRUE(solved) << p.text();
            ASSERT_EQ(plan, *loop) << p.text();
            ++counts.loopPlans;
            continue;
        }
        const Interval interval = feasibleInterval(p);
        const bool clearlyFeasible =
            interval.constantShortfall == 0.0 && interval.width() > kClearMarginPSI;
        const bool clearlyInfeasible =
            interval.constantShortfall > kClearMarginPSI || interval.width() < -kClearMarginPSI;
        if (solved) {
            ASSERT_EQ(replayFault(p, plan), "") << p.text() << ": " << plan;
            ASSERT_FALSE(clearlyInfeasible) << p.text() << ": " << plan;
            if (clearlyFeasible) {
                const double leastDrain = p.sourcePSI - interval.highest;
                ASSERT_LE(std::abs(plan.drain - leastDrain), kTolerancePSI)
                    << p.text() << ": " << plan;
                ++counts.rescued;
            } else {
                ++counts.borderlinePlans;
            }
        } else {
            ASSERT_FALSE(clearlyFeasible) << p.text() << " gave false";
            ASSERT_EQ(mixer.ErrDesc(), kMixImpossible);
            ASSERT_EQ(plan, (Plan{0, 0, 0, 0}));
            ++(clearlyInfeasible ? counts.infeasible : counts.borderlineFalse);
        }
    }
    RecordProperty("loopPlans", counts.loopPlans);
    RecordProperty("rescued", counts.rescued);
    RecordProperty("infeasible", counts.infeasible);
    RecordProperty("borderline", counts.borderlinePlans + counts.borderlineFalse);
    std::cout << "[ sweep    ] " << kProblems << " problems: " << counts.loopPlans
              << " loop plans, " << counts.rescued << " rescued, " << counts.infeasible
              << " infeasible, borderline " << counts.borderlinePlans << " planned and "
              << counts.borderlineFalse << " false\n";
    // The generator must pose every kind of problem in numbers.
    EXPECT_GT(counts.loopPlans, kProblems / 3);
    EXPECT_GT(counts.rescued, kProblems / 20);
    EXPECT_GT(counts.infeasible, kProblems / 20);
}

} // namespace
} // namespace quillan
