// The client header of QorCommon1: the classes' interfaces, enumerations and identifiers
// as widl generates them from QorCommon1.idl, on top of the runtime's COM declarations.
//
// Usage (CMake): target_link_libraries(app PRIVATE qorcommon_client), then
//     #include "QorCommon1.h"
//     _Common* common = nullptr;
//     CoCreateInstance(CLSID_Common, nullptr, CLSCTX_INPROC_SERVER, IID__Common,
//                      reinterpret_cast<void**>(&common));
//     common->ShowError(&module, &procedure, &errObject, &condition);
//     common->Release();
// The CLSID_*, IID_* and LIBID_* constants are defined in the qorcommon_client library; a
// client of the installed header (pkg-config qorcommon1) defines them in one source file
// by defining QORCOMMON1_DEFINE_GUIDS before including this header.
#pragma once

// widl's output would otherwise include <windows.h>; the runtime's headers replace it.
#ifndef COM_NO_WINDOWS_H
#define COM_NO_WINDOWS_H
#endif

#include "qor_base.h"

#include "QorCommon1_widl.h"

// widl's helper macros end here, so that a word like `interface` stays free in client code.
#undef interface
#undef MIDL_INTERFACE
#undef DECLSPEC_UUID
