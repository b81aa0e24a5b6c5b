#include "fill_log/sqlite_fill_store.h"

#include "fill_log/fill_checks.h"
#include "fill_log/fill_schema.h"
#include "fill_log/fill_time.h"

#include <string>

namespace quillan::filllog {

namespace {

std::filesystem::path withFolder(const std::filesystem::path& file) {
    std::error_code ignored; // a folder that cannot be made shows as the file not opening
    if (file.has_parent_path())
        std::filesystem::create_directories(file.parent_path(), ignored);
    return file;
}

// The columns of a fill, in the order readFill reads them.
constexpr const char* kColumns =
    "id, time, blender, customer, cylinder_serial, water_capacity_l, working_pressure_bar, "
    "last_hydro_test, last_visual_inspection, o2_clean, start_pressure, start_o2, start_he, "
    "required_pressure, required_o2, required_he, units, gas_model, fill_celsius, "
    "settle_celsius, drain, helium, oxygen, top_up, top_up_o2, final_pressure, final_o2, "
    "final_he, mod, gas_used_l, cost, currency, notes, analysed_o2, analysed_he, "
    "analyst, analysed_at, customer_accepted";
constexpr int kColumnCount = 38;

// The fills a FillFilter lets through: ?1 its since, ?2 its customer.
constexpr const char* kMatching =
    " FROM fills WHERE (?1 = '' OR time >= ?1) AND (?2 = '' OR customer = ?2)";

std::string joinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + '\n';
    return text;
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos;
         start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

int whole(const Statement& row, int column) {
    return static_cast<int>(row.integer(column));
}

FillRecord readFill(const Statement& row) {
    FillRecord fill;
    fill.id = row.integer(0);
    fill.time = row.text(1);
    fill.blender = row.text(2);
    fill.customer = row.text(3);
    fill.cylinder = {row.text(4), row.optionalReal(5), row.optionalReal(6),
                     row.text(7), row.text(8),         row.integer(9) != 0};
    fill.start = {whole(row, 10), whole(row, 11), whole(row, 12)};
    fill.required = {whole(row, 13), whole(row, 14), whole(row, 15)};
    LoggedPlan& plan = fill.plan;
    plan.units = row.text(16);
    plan.gasModel = row.text(17);
    plan.fillCelsius = row.real(18);
    plan.settleCelsius = row.real(19);
    plan.drain = row.real(20);
    plan.helium = row.real(21);
    plan.oxygen = row.real(22);
    plan.topUp = row.real(23);
    plan.topUpO2 = whole(row, 24);
    plan.final = {whole(row, 25), whole(row, 26), whole(row, 27)};
    plan.mod = whole(row, 28);
    plan.gasUsedLitres = row.optionalReal(29);
    plan.cost = row.optionalReal(30);
    plan.currency = row.text(31);
    fill.notes = row.text(32);
    if (!row.isNull(33))
        fill.analysis =
            Analysis{row.real(33), row.real(34), row.text(35), row.text(36), row.integer(37) != 0};
    return fill;
}

} // namespace

SqliteFillStore::SqliteFillStore(const std::filesystem::path& file,
                                 std::chrono::milliseconds busyTimeout)
    : db_(withFolder(file).string(), busyTimeout) {
    // The version is read before anything is written: a newer file is left byte for byte.
    const int found = schemaVersion(db_);
    if (found > kFillLogVersion)
        throw StoreError(db_.path() + ": the fill log is of a newer format (version " +
                         std::to_string(found) + "; this program reads up to " +
                         std::to_string(kFillLogVersion) + "); it is left as it is");
    db_.exec("PRAGMA journal_mode = WAL");
    if (found == kFillLogVersion)
        return;
    WriteTransaction transaction(db_);
    // Another process may have brought it forward while this one waited for the lock.
    migrate(db_, schemaVersion(db_), kFillLogVersion);
    transaction.commit();
}

std::int64_t SqliteFillStore::record(const FillRecord& fill) {
    checkFill(fill, utcNow());
    WriteTransaction transaction(db_);
    std::string places = "NULL";
    for (int i = 2; i <= kColumnCount; ++i)
        places += ", ?" + std::to_string(i);
    Statement insert(db_,
                     std::string("INSERT INTO fills (") + kColumns + ") VALUES (" + places + ")");
    int at = 2;
    const auto put = [&insert, &at](const auto& value) { insert.bind(at++, value); };
    const auto putWhole = [&put](int value) { put(std::int64_t{value}); };
    const auto putMix = [&putWhole](const LoggedMix& mix) {
        putWhole(mix.pressure);
        putWhole(mix.o2);
        putWhole(mix.he);
    };
    put(std::string_view(fill.time));
    put(std::string_view(fill.blender));
    put(std::string_view(fill.customer));
    put(std::string_view(fill.cylinder.serial));
    put(fill.cylinder.waterCapacityLitres);
    put(fill.cylinder.workingPressureBar);
    put(std::string_view(fill.cylinder.lastHydroTest));
    put(std::string_view(fill.cylinder.lastVisualInspection));
    putWhole(fill.cylinder.oxygenClean);
    putMix(fill.start);
    putMix(fill.required);
    const LoggedPlan& plan = fill.plan;
    put(std::string_view(plan.units));
    put(std::string_view(plan.gasModel));
    for (double figure :
         {plan.fillCelsius, plan.settleCelsius, plan.drain, plan.helium, plan.oxygen, plan.topUp})
        put(figure);
    putWhole(plan.topUpO2);
    putMix(plan.final);
    putWhole(plan.mod);
    put(plan.gasUsedLitres);
    put(plan.cost);
    put(std::string_view(plan.currency));
    put(std::string_view(fill.notes));
    const Analysis analysis = fill.analysis.value_or(Analysis{});
    put(fill.analysis ? std::optional(analysis.o2) : std::nullopt);
    put(fill.analysis ? std::optional(analysis.he) : std::nullopt);
    put(std::string_view(analysis.analyst));
    put(std::string_view(analysis.time));
    putWhole(analysis.customerAccepted);
    insert.step();
    const std::int64_t id = sqlite3_last_insert_rowid(db_.handle());
    Statement report(db_, "INSERT INTO fill_reports VALUES (?1, ?2)");
    report.bind(1, id);
    report.bind(2, joinLines(plan.reportLines));
    report.step();
    transaction.commit();
    return id;
}

std::vector<FillRecord> SqliteFillStore::list(const FillFilter& filter) const {
    Statement select(db_, std::string("SELECT ") + kColumns + kMatching + " ORDER BY id");
    select.bind(1, filter.since);
    select.bind(2, filter.customer);
    // Sized once: a growing list would move every fill, and page in fresh memory, each time.
    Statement count(db_, std::string("SELECT count(*)") + kMatching);
    count.bind(1, filter.since);
    count.bind(2, filter.customer);
    count.step();
    std::vector<FillRecord> fills;
    fills.reserve(static_cast<std::size_t>(count.integer(0)));
    while (select.step())
        fills.push_back(readFill(select));
    return fills;
}

std::optional<FillRecord> SqliteFillStore::find(std::int64_t id) const {
    Statement select(db_, std::string("SELECT ") + kColumns + " FROM fills WHERE id = ?1");
    select.bind(1, id);
    if (!select.step())
        return std::nullopt;
    FillRecord fill = readFill(select);
    Statement report(db_, "SELECT report FROM fill_reports WHERE fill_id = ?1");
    report.bind(1, id);
    if (report.step())
        fill.plan.reportLines = splitLines(report.text(0));
    return fill;
}

void SqliteFillStore::analyse(std::int64_t id, const Analysis& analysis) {
    checkAnalysis(analysis, utcNow());
    WriteTransaction transaction(db_);
    const std::optional<FillRecord> fill = find(id);
    if (!fill)
        throw BadFill("there is no fill " + std::to_string(id));
    if (fill->analysis)
        throw BadFill("fill " + std::to_string(id) +
                      " is already analysed; log the corrected "
                      "fill as a new one");
    Statement update(db_, "UPDATE fills SET analysed_o2 = ?2, analysed_he = ?3, analyst = ?4, "
                          "analysed_at = ?5, customer_accepted = ?6 WHERE id = ?1");
    update.bind(1, id);
    update.bind(2, analysis.o2);
    update.bind(3, analysis.he);
    update.bind(4, analysis.analyst);
    update.bind(5, analysis.time);
    update.bind(6, std::int64_t{analysis.customerAccepted});
    update.step();
    transaction.commit();
}

} // namespace quillan::filllog
