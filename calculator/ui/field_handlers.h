// The got-focus and validate handlers of the main window's editable fields, driven by
// the fields' rules, and the call that installs them with the validate mechanism.
#pragma once

#include <QObject>

struct FieldRule;
class frmMain;

// Field validation for every field in fieldRules(). Call once, before the window is shown.
void installFieldValidation(frmMain& window);

class FieldHandlers final : public QObject {
  public:
    // Lives as the window's child.
    explicit FieldHandlers(frmMain& window);

    // Selects the field's text.
    void GotFocus(const FieldRule& rule);
    // Checks the field against its bounds, then balances its mix and refreshes the
    // figures that depend on it, whether or not the entry was accepted.
    void Validate(const FieldRule& rule, bool& Cancel);

  private:
    void ShowMixAtDepth();
    void UpdateTopupDisplay();

    frmMain& m_window;
};
