// Hand-written header behind widl's `import "qor_base.idl"`: the generated QorCommon1.h
// includes it, so IUnknown, IDispatch, ErrObject, Collection, BSTR and VARIANT are the
// runtime's own declarations rather than copies. It also supplies the few macros widl's
// output expects, and the identifier of the QorFile___v0 alias, which widl does not emit.
#pragma once

#include "qor/com_interfaces.h"

#ifndef interface
#define interface struct
#endif
#define MIDL_INTERFACE(iid) struct
#define DECLSPEC_UUID(iid)

#ifdef QORCOMMON1_DEFINE_GUIDS
#define DEFINE_GUID(name, l, w1, w2, b1, b2, b3, b4, b5, b6, b7, b8)                               \
    extern "C" const GUID name = {l, w1, w2, {b1, b2, b3, b4, b5, b6, b7, b8}}
#else
#define DEFINE_GUID(name, l, w1, w2, b1, b2, b3, b4, b5, b6, b7, b8) extern "C" const GUID name
#endif

// The earlier identifier of _QorFile that the type library keeps as the alias QorFile___v0.
DEFINE_GUID(IID_QorFile___v0, 0x416c7a4c, 0x15ec, 0x470e, 0x9b, 0xcb, 0x56, 0xb1, 0x21, 0x77, 0x59,
            0x6d);
