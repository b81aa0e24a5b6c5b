// An analysed fill's cylinder label, printed or saved as a PDF, on a 100 x 50 mm label or
// on A4.
#pragma once

#include "fill_log/fill_record.h"
#include "label_painting.h"

class QWidget;

namespace filllogui {

// Throws quillan::filllog::BadFill for a fill not yet analysed.
labelpdf::LabelText labelText(const quillan::filllog::FillRecord& fill);

// Through the print dialog; a failure is shown.
void printLabel(QWidget* parent, const labelpdf::LabelText& label, labelpdf::LabelPaper paper);

// Asks for the file (dlgLabelPdf), suggesting "Label <id>.pdf"; a failure is shown with
// the file's path.
void saveLabelPdf(QWidget* parent, const labelpdf::LabelText& label, labelpdf::LabelPaper paper,
                  std::int64_t fillId);

} // namespace filllogui
