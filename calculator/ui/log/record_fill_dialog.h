// Who filled which cylinder for whom: the details the log keeps beside the plan. The
// dialog stays open until `record` takes them, so a refused entry can be put right.
#pragma once

#include "fill_log/fill_record.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QDoubleSpinBox;
class QLineEdit;
class QPlainTextEdit;

class RecordFillDialog : public QDialog {
    Q_OBJECT
  public:
    // `record` stores the details and returns an empty text, or the reason it refused.
    RecordFillDialog(QWidget* parent,
                     std::function<QString(const quillan::filllog::FillRecord&)> record);

    void accept() override;

  private:
    quillan::filllog::FillRecord details() const;

    std::function<QString(const quillan::filllog::FillRecord&)> record_;
    QLineEdit* customer_;
    QLineEdit* serial_;
    QDoubleSpinBox* waterCapacity_;
    QDoubleSpinBox* workingPressure_;
    QLineEdit* hydroTest_;
    QLineEdit* visualInspection_;
    QCheckBox* oxygenClean_;
    QLineEdit* blender_;
    QPlainTextEdit* notes_;
};
