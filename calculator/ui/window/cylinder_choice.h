// The cylinder being filled, chosen in the starting-mix group: "(none)" (the plan alone, as
// ever), a standard cylinder, or one of the user's own; the last item adds one. The choice
// is remembered.
#pragma once

#include "quantities/cylinder.h"
#include "quantities/unit_system.h"

#include <QObject>

#include <functional>
#include <optional>
#include <vector>

class QComboBox;
class QWidget;

class CylinderChoice : public QObject {
    Q_OBJECT
  public:
    // The caption and the box (cboCylinder) in `group`, right of the starting fields.
    CylinderChoice(QWidget* group, std::function<quillan::UnitSystem()> units);

    std::optional<quillan::Cylinder> chosen() const;

  signals:
    void chosenChanged();

  private:
    void fill();
    void choose(int index);

    QComboBox* box_;
    std::function<quillan::UnitSystem()> units_;
    std::vector<quillan::Cylinder> cylinders_; // the box's items after "(none)"
    int shown_ = 0;                            // the item chosen before "Add cylinder..."
};
