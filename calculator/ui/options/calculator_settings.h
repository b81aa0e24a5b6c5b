// The options the calculator remembers between runs, in the user's settings (organisation
// "Quillan", application "Quillan1"): the units ("display/units") and the gas model
// ("blend/gasModel": "ideal", "virial" or "real").
#pragma once

#include "quantities/unit_system.h"
#include "report/report_options.h"

#include <QSettings>

// Made where it is read or written, so that a change reaches the disk as it goes.
class CalculatorSettings {
  public:
    CalculatorSettings();

    // PSI and feet when nothing, or nothing the calculator writes, is stored.
    quillan::UnitSystem units() const;
    void setUnits(quillan::UnitSystem units);

    // Ideal gas when nothing or anything else is stored.
    quillan::GasModel gasModel() const;
    void setGasModel(quillan::GasModel model);

  private:
    QSettings m_settings;
};
