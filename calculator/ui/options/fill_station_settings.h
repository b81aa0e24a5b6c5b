// What the user's fill station has, remembered between runs beside the calculator's options:
// the user's own cylinders ("cylinders/own") and the one chosen ("cylinders/chosen"), the
// prices ("prices/..."), the least-drain choice ("blend/leastDrain") and the supply banks
// ("banks/..."). Quantities are stored in litres and bar, so a unit switch changes nothing.
#pragma once

#include "planning/bank_fill.h"
#include "planning/fill_cost.h"
#include "quantities/cylinder.h"
#include "quantities/unit_system.h"

#include <QSettings>

#include <optional>
#include <vector>

// Made where it is read or written, like CalculatorSettings, under the same guard.
class FillStationSettings {
  public:
    FillStationSettings();

    // In the order added; anything the calculator did not write is passed over.
    std::vector<quillan::Cylinder> ownCylinders() const;
    void addOwnCylinder(const quillan::Cylinder& cylinder);
    // The chosen cylinder's name; empty for none.
    QString chosenCylinder() const;
    void setChosenCylinder(const QString& name);

    // Per litre in metric, per cubic foot in imperial; nothing until the user has set them.
    std::optional<quillan::Prices> prices(quillan::UnitSystem units) const;
    void setPrices(const quillan::Prices& prices, quillan::UnitSystem units);

    bool leastDrain() const;
    void setLeastDrain(bool leastDrain);

    // 150 psi (or 10 bar) as the least bank pressure when nothing is stored.
    quillan::BankSupply banks(quillan::UnitSystem units) const;
    void setBanks(const quillan::BankSupply& supply);

  private:
    std::optional<QSettings> m_settings;
};
