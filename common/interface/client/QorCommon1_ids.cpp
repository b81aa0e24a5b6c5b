// Defines the CLSID_*, IID_* and LIBID_* constants that QorCommon1.h declares.
#define QORCOMMON1_DEFINE_GUIDS
#include "QorCommon1.h"
