// The log on disk: one fill recorded (each a committed, synced transaction) and a busy
// station's year listed.
#include "fill_log/fill_time.h"
#include "fill_log/sqlite_fill_store.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

using namespace quillan::filllog;

// A fresh folder beside the build, on a real disk rather than a memory file system.
std::filesystem::path freshLog() {
    std::string pattern = (std::filesystem::current_path() / "bench-fill-log-XXXXXX");
    if (::mkdtemp(pattern.data()) == nullptr)
        std::abort();
    return std::filesystem::path(pattern) / "fill-log.sqlite";
}

FillRecord sampleFill() {
    FillRecord fill;
    fill.time = utcNow();
    fill.blender = "Bo";
    fill.customer = "Ann Diver";
    fill.cylinder = {"S-100", 11.1, 207.0, "2024-01-15", "2024-06-01", true};
    fill.start = {0, 21, 0};
    fill.required = {3000, 32, 0};
    fill.plan.units = "imperial";
    fill.plan.gasModel = "ideal";
    fill.plan.final = {3000, 32, 0};
    fill.plan.reportLines = std::vector<std::string>(20, std::string(60, 'x'));
    return fill;
}

void BM_RecordOneFill(benchmark::State& state) {
    const std::filesystem::path file = freshLog();
    {
        SqliteFillStore store(file);
        const FillRecord fill = sampleFill();
        for (auto _ : state)
            benchmark::DoNotOptimize(store.record(fill));
    }
    std::filesystem::remove_all(file.parent_path());
}
BENCHMARK(BM_RecordOneFill)->Unit(benchmark::kMillisecond);

void BM_List10000Fills(benchmark::State& state) {
    const std::filesystem::path file = freshLog();
    {
        SqliteFillStore store(file);
        store.record(sampleFill());
        // The other 9,999 copied in one statement: recorded one by one they would take a
        // synced commit each.
        Database(file.string(), kDefaultBusyTimeout)
            .exec("CREATE TEMP TABLE one AS SELECT * FROM fills; UPDATE one SET id = NULL; "
                  "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 9999) "
                  "INSERT INTO fills SELECT one.* FROM one, n;");
        if (store.list({}).size() != 10000)
            std::abort();
        for (auto _ : state)
            benchmark::DoNotOptimize(store.list({}));
    }
    std::filesystem::remove_all(file.parent_path());
}
BENCHMARK(BM_List10000Fills)->Unit(benchmark::kMillisecond);

} // namespace
