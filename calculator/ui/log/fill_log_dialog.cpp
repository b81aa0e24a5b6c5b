#include "log/fill_log_dialog.h"

#include "fill_log/fill_csv.h"
#include "log/dialog_buttons.h"
#include "log/fill_dialog.h"
#include "log/fill_log_access.h"

#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

using filllogui::addButton;
using quillan::filllog::FillRecord;

namespace {

QString mixText(const quillan::filllog::LoggedMix& mix) {
    return QStringLiteral("%1/%2").arg(mix.o2).arg(mix.he);
}

QString analysedText(const FillRecord& fill) {
    if (!fill.analysis)
        return QString();
    return QStringLiteral("%1/%2")
        .arg(fill.analysis->o2, 0, 'f', 1)
        .arg(fill.analysis->he, 0, 'f', 1);
}

QList<QStandardItem*> rowOf(const FillRecord& fill) {
    auto* id = new QStandardItem;
    // A number, so that fill 10 sorts after fill 9.
    id->setData(static_cast<qlonglong>(fill.id), Qt::DisplayRole);
    QList<QStandardItem*> row{id};
    for (const QString& text :
         {QString::fromStdString(fill.time), QString::fromStdString(fill.customer),
          QString::fromStdString(fill.cylinder.serial), mixText(fill.required), analysedText(fill),
          QString::fromStdString(fill.blender)})
        row << new QStandardItem(text);
    for (QStandardItem* item : row)
        item->setEditable(false);
    return row;
}

} // namespace

FillLogDialog::FillLogDialog(QWidget* parent, std::unique_ptr<quillan::filllog::FillStore> store)
    : QDialog(parent), store_(std::move(store)) {
    setObjectName(QStringLiteral("dlgFillLog"));
    setWindowTitle(QStringLiteral("Fill log"));
    resize(760, 420);
    auto* column = new QVBoxLayout(this);
    auto* search = new QLineEdit;
    search->setObjectName(QStringLiteral("txtFillSearch"));
    search->setPlaceholderText(QStringLiteral("Search the customer, cylinder, mix, blender..."));
    search->setClearButtonEnabled(true);
    column->addWidget(search);

    fills_ = new QStandardItemModel(this);
    fills_->setHorizontalHeaderLabels(
        {QStringLiteral("Fill"), QStringLiteral("Time (UTC)"), QStringLiteral("Customer"),
         QStringLiteral("Cylinder"), QStringLiteral("Required O2/He"),
         QStringLiteral("Analysed O2/He"), QStringLiteral("Blender")});
    shown_ = new QSortFilterProxyModel(this);
    shown_->setSourceModel(fills_);
    shown_->setFilterKeyColumn(-1);
    shown_->setFilterCaseSensitivity(Qt::CaseInsensitive);
    connect(search, &QLineEdit::textChanged, shown_, &QSortFilterProxyModel::setFilterFixedString);
    table_ = new QTableView;
    table_->setObjectName(QStringLiteral("tblFills"));
    table_->setModel(shown_);
    table_->setSortingEnabled(true);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    connect(table_, &QTableView::activated, this, &FillLogDialog::openSelectedFill);
    column->addWidget(table_, 1);

    auto* row = new QHBoxLayout;
    QPushButton* open = addButton(row, "cmdOpenFill", QStringLiteral("&Open..."));
    QPushButton* csv = addButton(row, "cmdExportCsv", QStringLiteral("&Export CSV..."));
    row->addStretch(1);
    QPushButton* close = addButton(row, "cmdCloseLog", QStringLiteral("Close"));
    connect(open, &QPushButton::clicked, this, &FillLogDialog::openSelectedFill);
    connect(csv, &QPushButton::clicked, this, &FillLogDialog::exportCsv);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    column->addLayout(row);
    reload();
    table_->sortByColumn(0, Qt::DescendingOrder);
}

void FillLogDialog::reload() {
    fills_->removeRows(0, fills_->rowCount());
    try {
        for (const FillRecord& fill : store_->list({}))
            fills_->appendRow(rowOf(fill));
    } catch (const quillan::filllog::StoreError& store) {
        filllogui::showLogProblem(this, QString::fromStdString(store.what()));
    }
    table_->resizeColumnsToContents();
}

void FillLogDialog::openSelectedFill() {
    const QModelIndex current = table_->currentIndex();
    if (!current.isValid())
        return;
    const qlonglong id = shown_->index(current.row(), 0).data().toLongLong();
    try {
        std::optional<FillRecord> fill = store_->find(id);
        if (!fill)
            return;
        FillDialog dialog(this, *store_, std::move(*fill));
        dialog.exec();
    } catch (const quillan::filllog::StoreError& store) {
        filllogui::showLogProblem(this, QString::fromStdString(store.what()));
    }
    reload();
}

void FillLogDialog::exportCsv() {
    QFileDialog dialog(this, QStringLiteral("Export the fill log"), QDir::currentPath());
    dialog.setObjectName(QStringLiteral("dlgExportCsv"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("CSV files (*.csv)"));
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    dialog.selectFile(QStringLiteral("fill-log.csv"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString file = dialog.selectedFiles().value(0);
    try {
        const std::string csv = quillan::filllog::fillsCsv(store_->list({}));
        QSaveFile out(file);
        if (!out.open(QIODevice::WriteOnly) ||
            out.write(csv.data(), static_cast<qint64>(csv.size())) !=
                static_cast<qint64>(csv.size()) ||
            !out.commit())
            filllogui::showLogProblem(
                this, QStringLiteral("Could not write %1: %2").arg(file, out.errorString()));
    } catch (const quillan::filllog::StoreError& store) {
        filllogui::showLogProblem(this, QString::fromStdString(store.what()));
    }
}

namespace filllogui {

void showFillLog(QWidget* window) {
    try {
        FillLogDialog dialog(window, openFillLog());
        dialog.exec();
    } catch (const quillan::filllog::StoreError& store) {
        showLogProblem(window, QString::fromStdString(store.what()));
    }
}

} // namespace filllogui
