// The got-focus and validate handlers of the main window's editable fields, driven by
// the fields' rules, and the call that installs them with the validate mechanism.
#pragma once

#include "fields/window_fields.h"
#include "quantities/unit_system.h"

#include <QObject>

#include <functional>

struct FieldRule;
class QWidget;

// The units the window shows at the moment a field is checked.
using CurrentUnits = std::function<quillan::UnitSystem()>;

// Field validation for every field in fieldRules(). Call once, before the window is shown.
void installFieldValidation(QWidget& window, const WindowFields& fields, CurrentUnits units);

class FieldHandlers final : public QObject {
  public:
    // Lives as the window's child.
    FieldHandlers(QWidget& window, const WindowFields& fields, CurrentUnits units);

    // Selects the field's text.
    void GotFocus(const FieldRule& rule);
    // Checks the field against its bounds, then balances its mix and refreshes the
    // figures that depend on it, whether or not the entry was accepted.
    void Validate(const FieldRule& rule, bool& Cancel);

  private:
    void ShowMixAtDepth();
    void UpdateTopupDisplay();

    WindowFields m_fields;
    CurrentUnits m_units;
};
