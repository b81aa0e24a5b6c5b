// The figures in the pressure and depth fields when the window changes units: each is
// converted, rounded as the window rounds (halves to even) and held within its field's new
// range. A figure nobody has changed since the last switch goes back to exactly what it
// was, so switching there and back never drifts (3000 PSI, 207 bar, 3000 PSI, not 3002).
#pragma once

#include "fields/window_fields.h"
#include "quantities/unit_system.h"

#include <QObject>
#include <QString>

#include <array>
#include <optional>

class UnitFigures final : public QObject {
  public:
    // Lives as the window's child and watches its pressure and depth fields.
    UnitFigures(QObject& window, const WindowFields& fields);

    // Rewrites the fields' figures from `from` units into `to` units. A text that is not a
    // number is left as it is, for the field's own check to report.
    void convert(quillan::UnitSystem from, quillan::UnitSystem to);

  private:
    struct Converted {
        QString before; // the text in the units switched from
        QString after;  // the text written, in the units switched to
    };

    WindowFields m_fields;
    std::array<std::optional<Converted>, 3> m_converted; // one per unitFields() entry
};
