// The calculator's shared module: title and version texts, the depth-formula and
// gas-name routines (from the engine), the number rules applied to field texts, and the
// bridge to the component library's Common object for error reports and document handling.
#pragma once

#include <QString>

#include <cstdint>

#include "engine/depth.h"
#include "engine/gas_names.h"
#include "engine/number_rules.h"
#include "engine/runtime_error.h"

namespace Module1 {

using quillan::CalcATA;
using quillan::CalcEND;
using quillan::CalcMOD;
using quillan::CalcPO2;
using quillan::GetGasName;

QString GetVersionString(); // "1.0.3" from the build's version
QString GetAppTitle();      // "Quillan v1.0.3 **BETA**"

// The two texts above for any version numbers; the build's numbers feed the two above.
QString FormatVersion(std::int16_t major, std::int16_t minor, std::int16_t revision);
QString FormatAppTitle(const QString& version);

// Reports an error through Common.ShowError with a fresh error object of the
// calculator's own. When the library cannot be created, shows the same four lines in
// the calculator's own box plus a line saying why QorCommon1 could not be loaded.
void ShowError(const QString& module, const QString& procedure, const quillan::RuntimeError& err,
               const QString& condition = QString());

// Common.NulltoString and Common.StartDoc, through the library. Failures are thrown
// as quillan::RuntimeError (number, source, description from the library's error object).
QString NulltoString(const QString& text);
QString StartDoc(const QString& docName, bool displayError);

// How the user writes numbers, read once from the environment's locale.
const quillan::NumberLocale& UserNumberLocale();

// A field's text as a number in the user's locale: 13 when it is not a number, 6 when it
// does not fit 16 bits (TextToInt16 rounds halves to even).
double TextToDouble(const QString& text);
std::int16_t TextToInt16(const QString& text);

// Plain decimal text of a whole number, and the pattern "0.00" in the user's locale.
QString NumberText(std::int64_t value);
QString Fixed2Text(double value);

// Ends the process at once: no close handler of any window runs and nothing is saved.
[[noreturn]] void EndProgram(int status);

} // namespace Module1
