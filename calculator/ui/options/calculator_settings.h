// The options the calculator remembers between runs, in the user's settings (organisation
// "Quillan", application "Quillan1"): the units ("display/units") and the gas model
// ("blend/gasModel": "ideal", "virial" or "real"), the temperatures and the checkpoints.
#pragma once

#include "quantities/unit_system.h"
#include "report/report_options.h"

#include <QSettings>

#include <optional>

// Made where it is read or written, so that a change reaches the disk as it goes. A settings
// file that is not a regular file is never opened: the defaults stand and nothing is stored.
class CalculatorSettings {
  public:
    CalculatorSettings();

    // PSI and feet when nothing, or nothing the calculator writes, is stored.
    quillan::UnitSystem units() const;
    void setUnits(quillan::UnitSystem units);

    // Ideal gas when nothing or anything else is stored.
    quillan::GasModel gasModel() const;
    void setGasModel(quillan::GasModel model);

    // The cylinder's temperature while filling and once settled ("blend/fillCelsius",
    // "blend/settleCelsius"); 20 °C when nothing, or nothing in range, is stored.
    quillan::Temperature fillTemperature() const;
    quillan::Temperature settleTemperature() const;
    void setTemperatures(quillan::Temperature fill, quillan::Temperature settle);

    // The analyser checkpoints and the gas density in every report ("report/checkpoints").
    bool checkpoints() const;
    void setCheckpoints(bool shown);

  private:
    QString stored(const QString& key) const;
    quillan::Temperature storedTemperature(const QString& key) const;
    void store(const QString& key, std::string_view value);

    std::optional<QSettings> m_settings;
};
