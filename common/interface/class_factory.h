// The class factories that DllGetClassObject hands out.
#pragma once

#include "qor/com_interfaces.h"

namespace qor::server {

// A new factory for one of the library's three classes, as `riid`; CLASS_E_CLASSNOTAVAILABLE
// for any other class.
HRESULT getClassObject(REFCLSID clsid, REFIID riid, void** ppv);

} // namespace qor::server
