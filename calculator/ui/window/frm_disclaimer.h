// The safety disclaimer the user must accept before the calculator opens.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

class frmDisclaimer : public QDialog {
    Q_OBJECT
  public:
    explicit frmDisclaimer(QWidget* parent = nullptr);

    // The warning and the address in the palette's colours (the designed dark red and blue
    // where they read).
    void applyColours();

  protected:
    // Escape must not close the dialog: neither button is its cancel button.
    void keyPressEvent(QKeyEvent* event) override;
    // The close box, Alt+F4 or the system menu's Close decline, exactly like "I Do Not
    // Accept": a safety disclaimer is never accepted by dismissing it.
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    QPushButton* OKButton;     // "I Accept": closes the dialog, start-up goes on
    QPushButton* CancelButton; // "I Do Not Accept": ends the program at once
    QLabel* warning_;
    QLabel* contact_;

    void OKButton_Click();
    void CancelButton_Click();
};
