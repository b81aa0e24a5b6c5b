// One fill from the log: what was planned, the analyser's reading once entered (with the
// plan that corrects a fill out of tolerance), and the cylinder's label.
#pragma once

#include "fill_log/fill_store.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class FillDialog : public QDialog {
    Q_OBJECT
  public:
    FillDialog(QWidget* parent, quillan::filllog::FillStore& store,
               quillan::filllog::FillRecord fill);

  private:
    void analyse();
    void showFill();
    void showLabel(bool toPdf);

    quillan::filllog::FillStore& store_;
    quillan::filllog::FillRecord fill_;
    QListWidget* lines_;
    QLabel* verdict_;
    QGroupBox* analysis_;
    QDoubleSpinBox* o2_;
    QDoubleSpinBox* he_;
    QLineEdit* analyst_;
    QCheckBox* accepted_;
    QComboBox* paper_;
    QPushButton* printLabel_;
    QPushButton* labelPdf_;
};
