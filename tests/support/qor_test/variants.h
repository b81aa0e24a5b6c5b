// Argument VARIANTs for calls made by hand. Only vNewText allocates: its result is the
// caller's to clear; the others borrow what they point at.
#pragma once

#include <string>
#include <string_view>

#include "qor/runtime.h"

namespace qor::test {

VARIANT vText(BSTR s);
VARIANT vNewText(std::u16string_view s);
VARIANT vI4(LONG n);
VARIANT vI2(SHORT n);
VARIANT vR8(double d);
VARIANT vBool(bool b);
VARIANT vByRef(VARTYPE vt, void* target);
VARIANT vMissing();
VARIANT vObject(IDispatch* d);

// An owned text value.
Variant textVariant(std::u16string_view s);

} // namespace qor::test
