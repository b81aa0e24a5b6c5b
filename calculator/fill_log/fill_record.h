// One fill as the station's log keeps it: who filled which cylinder for whom, what was
// planned, and what the analyser read afterwards.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quillan::filllog {

// A cylinder's contents: gauge pressure in the record's units, whole-percent O2 and He.
struct LoggedMix {
    int pressure = 0;
    int o2 = 0;
    int he = 0;
};

struct LoggedCylinder {
    std::string serial;
    std::optional<double> waterCapacityLitres;
    std::optional<double> workingPressureBar;
    std::string lastHydroTest; // YYYY-MM-DD, empty when not known
    std::string lastVisualInspection;
    bool oxygenClean = false;
};

// The plan the blender followed: its conditions, its key figures in the record's units and
// the report lines as shown.
struct LoggedPlan {
    std::string units;    // "imperial" or "metric"
    std::string gasModel; // "ideal", "virial" or "real"
    double fillCelsius = 20.0;
    double settleCelsius = 20.0;
    double drain = 0.0;
    double helium = 0.0;
    double oxygen = 0.0;
    double topUp = 0.0;
    int topUpO2 = 21;
    LoggedMix final;
    int mod = 0; // at a PO2 of 1.6
    std::vector<std::string> reportLines;
    std::optional<double> gasUsedLitres; // real free gas added, when the cylinder is known
    std::optional<double> cost;          // when priced
    std::string currency;
};

struct Analysis {
    double o2 = 0.0; // percent
    double he = 0.0;
    std::string analyst;
    std::string time; // when analysed, as FillRecord::time
    bool customerAccepted = false;
};

struct FillRecord {
    std::int64_t id = 0; // given by the store
    std::string time;    // UTC, "YYYY-MM-DDTHH:MM:SSZ"
    std::string blender;
    std::string customer;
    LoggedCylinder cylinder;
    LoggedMix start;
    LoggedMix required;
    LoggedPlan plan;
    std::optional<Analysis> analysis;
    std::string notes;
};

} // namespace quillan::filllog
