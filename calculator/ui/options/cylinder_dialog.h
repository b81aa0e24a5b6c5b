// Asks the user for a cylinder of their own: a name, the water litres of one cylinder, the
// working pressure in the window's units, the free gas it is sold as holding (if any) and
// whether it is a twin set.
#pragma once

#include "quantities/cylinder.h"
#include "quantities/unit_system.h"

#include <QStringList>

#include <optional>

class QWidget;

// The cylinder described (a twin counts both cylinders), or nothing when the user cancels.
// A name in `taken` cannot be given: the choice is remembered by name.
std::optional<quillan::Cylinder> askOwnCylinder(QWidget* parent, quillan::UnitSystem units,
                                                const QStringList& taken);
