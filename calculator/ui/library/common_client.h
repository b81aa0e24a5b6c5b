// The calculator's client of the component library: the Common object, created by its
// class identity on first use and kept for the rest of the process, or why it could not be.
#pragma once

#include <QString>

struct _Common;

namespace library {

struct CommonClient {
    _Common* common = nullptr; // null when the library could not be created
    QString failure;           // why, when common is null
};

// The same answer on every call: a creation that failed is not retried.
const CommonClient& TheCommonClient();

} // namespace library
