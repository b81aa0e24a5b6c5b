// What the calculator asks of the component library's Common object: error reports and
// document handling.
#pragma once

#include <QString>

#include "engine/runtime_error.h"

namespace library {

// Reports an error through Common.ShowError with a fresh error object of the
// calculator's own. When the library cannot be created, shows the same four lines in
// the calculator's own box plus a line saying why QorCommon1 could not be loaded.
void ShowError(const QString& module, const QString& procedure, const quillan::RuntimeError& err,
               const QString& condition = QString());

// Common.NulltoString and Common.StartDoc, through the library. Failures are thrown
// as quillan::RuntimeError (number, source, description from the library's error object).
QString NulltoString(const QString& text);
QString StartDoc(const QString& docName, bool displayError);

} // namespace library
