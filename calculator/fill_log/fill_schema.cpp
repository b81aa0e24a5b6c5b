#include "fill_log/fill_schema.h"

#include "fill_log/fill_store.h"

#include <array>
#include <string>

namespace quillan::filllog {

namespace {

// Step n brings a file from version n - 1 to n. A released step never changes: files in
// the field were made by it.
constexpr std::array<const char*, kFillLogVersion> kSteps = {
    // 1: the fills with their cylinder and plan; the report lines apart, so that a list
    // reads only the fills.
    R"(CREATE TABLE schema_version (version INTEGER NOT NULL);
       INSERT INTO schema_version VALUES (0);
       CREATE TABLE fills (
         id INTEGER PRIMARY KEY,
         time TEXT NOT NULL,
         blender TEXT NOT NULL,
         customer TEXT NOT NULL,
         cylinder_serial TEXT NOT NULL,
         water_capacity_l REAL,
         working_pressure_bar REAL,
         last_hydro_test TEXT NOT NULL,
         last_visual_inspection TEXT NOT NULL,
         o2_clean INTEGER NOT NULL,
         start_pressure INTEGER NOT NULL,
         start_o2 INTEGER NOT NULL,
         start_he INTEGER NOT NULL,
         required_pressure INTEGER NOT NULL,
         required_o2 INTEGER NOT NULL,
         required_he INTEGER NOT NULL,
         units TEXT NOT NULL,
         gas_model TEXT NOT NULL,
         fill_celsius REAL NOT NULL,
         settle_celsius REAL NOT NULL,
         drain REAL NOT NULL,
         helium REAL NOT NULL,
         oxygen REAL NOT NULL,
         top_up REAL NOT NULL,
         top_up_o2 INTEGER NOT NULL,
         final_pressure INTEGER NOT NULL,
         final_o2 INTEGER NOT NULL,
         final_he INTEGER NOT NULL,
         mod INTEGER NOT NULL,
         gas_used_l REAL,
         cost REAL,
         currency TEXT NOT NULL,
         notes TEXT NOT NULL);
       CREATE INDEX fills_by_time ON fills (time);
       CREATE TABLE fill_reports (
         fill_id INTEGER PRIMARY KEY REFERENCES fills (id),
         report TEXT NOT NULL);)",
    // 2: the analysis of each fill, and the customer's acceptance.
    R"(ALTER TABLE fills ADD COLUMN analysed_o2 REAL;
       ALTER TABLE fills ADD COLUMN analysed_he REAL;
       ALTER TABLE fills ADD COLUMN analyst TEXT NOT NULL DEFAULT '';
       ALTER TABLE fills ADD COLUMN analysed_at TEXT NOT NULL DEFAULT '';
       ALTER TABLE fills ADD COLUMN customer_accepted INTEGER NOT NULL DEFAULT 0;
       CREATE INDEX fills_by_customer ON fills (customer);)",
};

} // namespace

int schemaVersion(const Database& db) {
    Statement tables(db, "SELECT count(*), count(*) FILTER (WHERE name = 'schema_version') "
                         "FROM sqlite_schema");
    tables.step();
    if (tables.integer(0) == 0)
        return 0;
    if (tables.integer(1) == 0)
        throw StoreError(db.path() + ": not a fill log (it holds other tables); it is left as "
                                     "it is");
    Statement version(db, "SELECT version FROM schema_version");
    if (!version.step())
        throw StoreError(db.path() + ": the fill log is damaged (no schema version); it is left "
                                     "as it is");
    return static_cast<int>(version.integer(0));
}

void migrate(const Database& db, int from, int to) {
    for (int step = from + 1; step <= to; ++step) {
        db.exec(kSteps[step - 1]);
        db.exec("UPDATE schema_version SET version = " + std::to_string(step));
    }
}

} // namespace quillan::filllog
