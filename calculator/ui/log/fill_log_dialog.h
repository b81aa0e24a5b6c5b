// View > Fill log: every recorded fill in a sortable table with a search box; a fill opens
// for its analysis and label, and the log exports as CSV.
#pragma once

#include "fill_log/fill_store.h"

#include <QDialog>

#include <memory>

class QSortFilterProxyModel;
class QStandardItemModel;
class QTableView;

class FillLogDialog : public QDialog {
    Q_OBJECT
  public:
    FillLogDialog(QWidget* parent, std::unique_ptr<quillan::filllog::FillStore> store);

  private:
    void reload();
    void openSelectedFill();
    void exportCsv();

    std::unique_ptr<quillan::filllog::FillStore> store_;
    QStandardItemModel* fills_;
    QSortFilterProxyModel* shown_;
    QTableView* table_;
};

namespace filllogui {

// Opens the log, or shows why it cannot be used.
void showFillLog(QWidget* window);

} // namespace filllogui
