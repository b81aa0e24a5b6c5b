// The safety disclaimer the user must accept before the calculator opens.
#pragma once

#include <QDialog>

class QPushButton;

class frmDisclaimer : public QDialog {
    Q_OBJECT
  public:
    explicit frmDisclaimer(QWidget* parent = nullptr);

    QPushButton* OKButton;     // "I Accept": closes the dialog, start-up goes on
    QPushButton* CancelButton; // "I Do Not Accept": ends the program at once

  protected:
    // Escape must not close the dialog: neither button is its cancel button.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void OKButton_Click();
    void CancelButton_Click();
};
