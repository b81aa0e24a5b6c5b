#include "log/fill_dialog.h"

#include "fill_log/fill_analysis.h"
#include "fill_log/fill_time.h"
#include "log/dialog_buttons.h"
#include "log/fill_log_access.h"
#include "log/label_output.h"
#include "report/report_date.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using filllogui::addButton;
using quillan::filllog::FillRecord;

namespace {

QDoubleSpinBox* percentBox(const char* name) {
    auto* box = new QDoubleSpinBox;
    box->setObjectName(QLatin1String(name));
    box->setRange(0.0, 100.0);
    box->setDecimals(1);
    box->setSuffix(QStringLiteral(" %"));
    return box;
}

QStringList planLines(const FillRecord& fill) {
    QStringList lines{QStringLiteral("Fill %1, %2: filled by %3 for %4, cylinder %5")
                          .arg(fill.id)
                          .arg(QString::fromStdString(fill.time),
                               QString::fromStdString(fill.blender),
                               QString::fromStdString(fill.customer),
                               QString::fromStdString(fill.cylinder.serial))};
    for (const std::string& line : fill.plan.reportLines)
        lines << QString::fromStdString(line);
    return lines;
}

} // namespace

FillDialog::FillDialog(QWidget* parent, quillan::filllog::FillStore& store, FillRecord fill)
    : QDialog(parent), store_(store), fill_(std::move(fill)) {
    setObjectName(QStringLiteral("dlgFill"));
    setWindowTitle(QStringLiteral("Fill %1").arg(fill_.id));
    resize(640, 560);
    auto* column = new QVBoxLayout(this);
    lines_ = new QListWidget;
    lines_->setObjectName(QStringLiteral("lstFill"));
    column->addWidget(lines_, 1);
    verdict_ = new QLabel;
    verdict_->setObjectName(QStringLiteral("lblVerdict"));
    column->addWidget(verdict_);

    analysis_ = new QGroupBox(QStringLiteral("Analysis"));
    analysis_->setObjectName(QStringLiteral("grpAnalysis"));
    auto* form = new QFormLayout(analysis_);
    o2_ = percentBox("spnAnalysedO2");
    form->addRow(QStringLiteral("&O2:"), o2_);
    he_ = percentBox("spnAnalysedHe");
    form->addRow(QStringLiteral("&He:"), he_);
    analyst_ = new QLineEdit;
    analyst_->setObjectName(QStringLiteral("txtAnalyst"));
    form->addRow(QStringLiteral("A&nalyst:"), analyst_);
    accepted_ = new QCheckBox(QStringLiteral("The customer analysed and a&ccepted it"));
    accepted_->setObjectName(QStringLiteral("chkAccepted"));
    form->addRow(QString(), accepted_);
    auto* analyseButton = new QPushButton(QStringLiteral("&Store the analysis"));
    analyseButton->setObjectName(QStringLiteral("cmdStoreAnalysis"));
    form->addRow(QString(), analyseButton);
    connect(analyseButton, &QPushButton::clicked, this, &FillDialog::analyse);
    column->addWidget(analysis_);

    auto* row = new QHBoxLayout;
    paper_ = new QComboBox;
    paper_->setObjectName(QStringLiteral("cboLabelPaper"));
    paper_->addItems({QStringLiteral("Label 100 × 50 mm"), QStringLiteral("A4")});
    row->addWidget(paper_);
    printLabel_ = addButton(row, "cmdPrintLabel", QStringLiteral("&Print label..."));
    labelPdf_ = addButton(row, "cmdLabelPdf", QStringLiteral("Label as P&DF..."));
    row->addStretch(1);
    QPushButton* close = addButton(row, "cmdCloseFill", QStringLiteral("Close"));
    connect(printLabel_, &QPushButton::clicked, this, [this] { showLabel(false); });
    connect(labelPdf_, &QPushButton::clicked, this, [this] { showLabel(true); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    column->addLayout(row);
    showFill();
}

// A fill already analysed keeps its reading: the log never replaces one.
void FillDialog::showFill() {
    lines_->clear();
    lines_->addItems(planLines(fill_));
    const bool analysed = fill_.analysis.has_value();
    analysis_->setVisible(!analysed);
    printLabel_->setEnabled(analysed);
    labelPdf_->setEnabled(analysed);
    if (!analysed) {
        verdict_->setText(QStringLiteral("Not analysed yet: enter the analyser's reading."));
        return;
    }
    const quillan::filllog::Analysis& analysis = *fill_.analysis;
    const double tolerance = quillan::filllog::kDefaultTolerance;
    const auto figures = quillan::filllog::analysedFigures(fill_, analysis, tolerance);
    verdict_->setText(figures.withinTolerance ? QStringLiteral("Within tolerance.")
                                              : QStringLiteral("OUT OF TOLERANCE: see the plan "
                                                               "that corrects it below."));
    // Bold rather than a colour, which a dark theme could hide.
    QFont emphasis = verdict_->font();
    emphasis.setBold(!figures.withinTolerance);
    verdict_->setFont(emphasis);
    lines_->addItem(QString());
    for (const std::string& line :
         quillan::filllog::analysisLines(fill_, analysis, figures, tolerance))
        lines_->addItem(QString::fromStdString(line));
    if (figures.withinTolerance)
        return;
    lines_->addItem(QString());
    lines_->addItem(QStringLiteral("To correct it:"));
    const quillan::report::BlendReport plan =
        quillan::filllog::correctingPlan(fill_, analysis, quillan::report::currentReportDateTime());
    for (const std::string& line : plan.lines)
        lines_->addItem(QString::fromStdString(line));
}

void FillDialog::analyse() {
    const quillan::filllog::Analysis analysis{o2_->value(), he_->value(),
                                              analyst_->text().trimmed().toStdString(),
                                              quillan::filllog::utcNow(), accepted_->isChecked()};
    try {
        store_.analyse(fill_.id, analysis);
        fill_.analysis = analysis;
    } catch (const quillan::filllog::BadFill& bad) {
        filllogui::showLogProblem(this, QString::fromStdString(bad.what()) +
                                            QStringLiteral("; nothing was stored."));
    } catch (const quillan::filllog::StoreError& store) {
        filllogui::showLogProblem(this, QString::fromStdString(store.what()));
    }
    showFill();
}

void FillDialog::showLabel(bool toPdf) {
    const labelpdf::LabelText label = filllogui::labelText(fill_);
    const auto paper =
        paper_->currentIndex() == 0 ? labelpdf::LabelPaper::Label100x50 : labelpdf::LabelPaper::A4;
    if (toPdf)
        filllogui::saveLabelPdf(this, label, paper, fill_.id);
    else
        filllogui::printLabel(this, label, paper);
}
