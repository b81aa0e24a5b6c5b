// The window's way into the fill log: the store at the file the settings name (or the
// default one), and its failures shown with that file's path.
#pragma once

#include "fill_log/fill_store.h"

#include <QString>

#include <memory>

class QWidget;

namespace filllogui {

// Throws quillan::filllog::StoreError naming the file when it cannot be used.
std::unique_ptr<quillan::filllog::FillStore> openFillLog();

// A warning box (msgFillLog) with `text`; a store's message already holds the file's path.
void showLogProblem(QWidget* parent, const QString& text);

} // namespace filllogui
