// The options the calculator remembers between runs, in the user's settings (organisation
// "Quillan", application "Quillan1"): the units ("display/units") and the gas model
// ("blend/gasModel": "ideal", "virial" or "real"), the temperatures and the checkpoints.
#pragma once

#include "quantities/gas_mix.h"
#include "quantities/unit_system.h"
#include "report/report_options.h"

#include <QSettings>

#include <optional>
#include <vector>

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

    // The diver's own PO2 limit ("dive/po2"), 1.4 unless 1.2 to 1.6 is stored, and whether
    // the report gives the MOD at it ("report/modAtDivePO2"): the PO2 when it does.
    double divePO2() const;
    void setDivePO2(double po2);
    bool modAtDivePO2Shown() const;
    void setModAtDivePO2Shown(bool shown);
    std::optional<double> reportedModPO2() const;

    // The fill log's file ("log/file"); empty for the default one in the data folder.
    QString fillLogFile() const;

    // The user's own mixes for the Mixes menu ("mixes/own", "O2/He" each), in the order added.
    std::vector<quillan::WholePercent> ownMixes() const;
    // False when it is there already, or nothing can be stored.
    bool addOwnMix(const quillan::WholePercent& mix);

  private:
    QString stored(const QString& key) const;
    quillan::Temperature storedTemperature(const QString& key) const;
    void store(const QString& key, std::string_view value);

    std::optional<QSettings> m_settings;
};
