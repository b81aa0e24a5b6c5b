// The SQLite log as its users meet it: what goes in comes back, bad input stores nothing,
// and a file it cannot trust is reported and left alone.
#include "fill_log/fill_csv.h"
#include "fill_log/fill_schema.h"
#include "fill_log/sqlite_fill_store.h"
#include "fill_log_test_support.h"

#include <functional>

namespace quillan::filllog::test {
namespace {

using FillStoreTest = LogFolder;

TEST_F(FillStoreTest, KeepsAFillAndItsAnalysisAndExportsThem) {
    FillRecord fill = plainFill("Diver, \"Ann\"");
    fill.plan.gasUsedLitres = 1234.5;
    fill.notes = "second line\nof notes";
    SqliteFillStore store(file());
    const std::int64_t id = store.record(fill);
    store.analyse(id, {31.8, 0.0, "Cy", utcNow(), true});

    const std::vector<FillRecord> fills = store.list({});
    ASSERT_EQ(fills.size(), 1u);
    const FillRecord& back = fills[0];
    EXPECT_EQ(back.id, id);
    EXPECT_EQ(back.customer, fill.customer);
    EXPECT_EQ(back.cylinder.lastHydroTest, "2024-01-15");
    EXPECT_EQ(back.cylinder.waterCapacityLitres, 11.1);
    EXPECT_EQ(store.find(id)->plan.reportLines, fill.plan.reportLines);
    EXPECT_EQ(back.plan.gasUsedLitres, 1234.5);
    EXPECT_EQ(back.plan.cost, std::nullopt);
    EXPECT_EQ(back.notes, fill.notes);
    ASSERT_TRUE(back.analysis);
    EXPECT_EQ(back.analysis->o2, 31.8);
    EXPECT_TRUE(back.analysis->customerAccepted);

    const std::string csv = fillsCsv(fills);
    EXPECT_NE(csv.find(",\"Diver, \"\"Ann\"\"\",S-100,11.1,207,"), std::string::npos) << csv;
    EXPECT_NE(csv.find(",1234.5,,,31.8,0,Cy,"), std::string::npos) << csv;
    EXPECT_NE(csv.find(",yes,\"second line\nof notes\"\r\n"), std::string::npos) << csv;
}

TEST_F(FillStoreTest, ListsByCustomerAndDay) {
    SqliteFillStore store(file());
    FillRecord old = plainFill("Ann");
    old.time = "2023-03-04T10:00:00Z";
    store.record(old);
    store.record(plainFill("Ann"));
    store.record(plainFill("Bea"));
    EXPECT_EQ(store.list({"", "Ann"}).size(), 2u);
    EXPECT_EQ(store.list({"2023-03-05", ""}).size(), 2u);
    EXPECT_EQ(store.list({"2023-03-04", "Ann"}).size(), 2u);
    EXPECT_EQ(store.list({"2023-03-05", "Ann"}).size(), 1u);
}

struct BadCase {
    const char* name;
    std::function<void(SqliteFillStore&, std::int64_t existing)> act;
};

class BadInputTest : public LogFolder, public ::testing::WithParamInterface<BadCase> {};

FillRecord changed(const std::function<void(FillRecord&)>& change) {
    FillRecord fill = plainFill();
    change(fill);
    return fill;
}

TEST_P(BadInputTest, IsRefusedAndStoresNothing) {
    SqliteFillStore store(file());
    const std::int64_t existing = store.record(plainFill());
    const std::vector<FillRecord> before = store.list({});
    EXPECT_THROW(GetParam().act(store, existing), BadFill);
    const std::vector<FillRecord> after = store.list({});
    ASSERT_EQ(after.size(), before.size());
    EXPECT_FALSE(after[0].analysis);
}

const BadCase kBadCases[] = {
    {"FutureTime",
     [](SqliteFillStore& s, std::int64_t) {
         s.record(changed([](FillRecord& f) { f.time = "2999-01-01T00:00:00Z"; }));
     }},
    {"FutureHydroTest",
     [](SqliteFillStore& s, std::int64_t) {
         s.record(changed([](FillRecord& f) { f.cylinder.lastHydroTest = "2999-01-01"; }));
     }},
    {"NoSuchDay",
     [](SqliteFillStore& s, std::int64_t) {
         s.record(changed([](FillRecord& f) { f.cylinder.lastVisualInspection = "2023-02-30"; }));
     }},
    {"NonUtf8Customer",
     [](SqliteFillStore& s, std::int64_t) {
         s.record(changed([](FillRecord& f) { f.customer = "Ann \xC3\x28"; }));
     }},
    {"OverlongUtf8Blender",
     [](SqliteFillStore& s, std::int64_t) {
         s.record(changed([](FillRecord& f) { f.blender = "\xC0\xAF"; }));
     }},
    {"NoSerial",
     [](SqliteFillStore& s, std::int64_t) {
         s.record(changed([](FillRecord& f) { f.cylinder.serial.clear(); }));
     }},
    {"RequiredAbove100",
     [](SqliteFillStore& s, std::int64_t) {
         s.record(changed([](FillRecord& f) { f.required = {3000, 60, 41}; }));
     }},
    {"AnalysedAbove100",
     [](SqliteFillStore& s, std::int64_t id) {
         s.analyse(id, {60.5, 40.0, "Cy", utcNow()});
     }},
    {"AnalysisOfNoFill",
     [](SqliteFillStore& s, std::int64_t id) {
         s.analyse(id + 1, {32.0, 0.0, "Cy", utcNow()});
     }},
    {"NonUtf8Analyst",
     [](SqliteFillStore& s, std::int64_t id) {
         s.analyse(id, {32.0, 0.0, "\xFF", utcNow()});
     }},
    {"FutureAnalysis",
     [](SqliteFillStore& s, std::int64_t id) {
         s.analyse(id, {32.0, 0.0, "Cy", "2999-01-01T00:00:00Z"});
     }},
};

INSTANTIATE_TEST_SUITE_P(Fills, BadInputTest, ::testing::ValuesIn(kBadCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FillStoreTest, NeverOverwritesAnAnalysis) {
    SqliteFillStore store(file());
    const std::int64_t id = store.record(plainFill());
    store.analyse(id, {31.0, 0.0, "Cy", utcNow()});
    EXPECT_THROW(store.analyse(id, {32.0, 0.0, "Di", utcNow()}), BadFill);
    EXPECT_EQ(store.find(id)->analysis->analyst, "Cy");
}

TEST_F(FillStoreTest, BringsAnOlderFileForwardKeepingItsFills) {
    {
        Database old(file().string(), kDefaultBusyTimeout);
        migrate(old, 0, 1);
        old.exec("INSERT INTO fills VALUES (7, '2023-05-06T07:08:09Z', 'Bo', 'Ann', 'S-1', "
                 "NULL, NULL, '', '', 0, 0, 21, 0, 3000, 32, 0, 'imperial', 'ideal', 20, 20, "
                 "0, 0, 418, 2582, 21, 3000, 32, 0, 132, NULL, NULL, '', '');"
                 "INSERT INTO fill_reports VALUES (7, 'line\n')");
    }
    SqliteFillStore store(file());
    const std::optional<FillRecord> fill = store.find(7);
    ASSERT_TRUE(fill);
    EXPECT_EQ(fill->plan.reportLines, std::vector<std::string>{"line"});
    EXPECT_FALSE(fill->analysis);
    store.analyse(7, {32.0, 0.0, "Cy", utcNow()});
    EXPECT_EQ(store.find(7)->analysis->analyst, "Cy");
    EXPECT_EQ(schemaVersion(Database(file().string(), kDefaultBusyTimeout)), kFillLogVersion);
}

// The message names the file, and the file is as it was, byte for byte.
void expectRefusedUntouched(const std::filesystem::path& path, const std::string& why) {
    const std::string bytes = bytesOf(path);
    try {
        SqliteFillStore store(path, std::chrono::milliseconds(100));
        store.record(plainFill());
        ADD_FAILURE() << "opened " << path;
    } catch (const StoreError& e) {
        EXPECT_NE(std::string(e.what()).find(path.string()), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find(why), std::string::npos) << e.what();
    }
    EXPECT_EQ(bytesOf(path), bytes);
}

TEST_F(FillStoreTest, RefusesANewerFile) {
    SqliteFillStore(file()).record(plainFill());
    Database(file().string(), kDefaultBusyTimeout).exec("UPDATE schema_version SET version = 3");
    expectRefusedUntouched(file(), "newer format");
}

TEST_F(FillStoreTest, RefusesADamagedFile) {
    std::ofstream(file(), std::ios::binary) << std::string(4096, '\x5A');
    expectRefusedUntouched(file(), "damaged");
}

TEST_F(FillStoreTest, ReportsALockHeldTooLongAndLosesNothing) {
    SqliteFillStore store(file(), std::chrono::milliseconds(100));
    store.record(plainFill());
    {
        Database other(file().string(), kDefaultBusyTimeout);
        WriteTransaction holding(other);
        try {
            store.record(plainFill());
            ADD_FAILURE() << "wrote past the lock";
        } catch (const StoreError& e) {
            EXPECT_NE(std::string(e.what()).find(file().string() + ": the fill log stayed locked"),
                      std::string::npos)
                << e.what();
        }
    }
    store.record(plainFill());
    EXPECT_EQ(store.list({}).size(), 2u);
}

} // namespace
} // namespace quillan::filllog::test
