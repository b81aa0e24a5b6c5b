// Helpers for the runtime's own IDispatch::Invoke implementations.
#pragma once

#include <initializer_list>
#include <string_view>

#include "qor/runtime.h"

namespace qor::detail {

// The argument at `position` in call order (0 is the first); automation passes them in
// reverse order. Null when the caller passed fewer.
const VARIANT* positionalArg(const DISPPARAMS* params, UINT position);

// An omitted optional argument: absent, or VT_ERROR carrying DISP_E_PARAMNOTFOUND.
bool isMissing(const VARIANT* arg);

// Converts the argument at `position` to `vt` into `out`; on failure sets *puArgErr.
HRESULT argAs(const DISPPARAMS* params, UINT position, VARTYPE vt, VARIANT& out, UINT* puArgErr);

// Checks the shape of a call: no named arguments except the one a property put carries,
// and an argument count within [minArgs, maxArgs].
HRESULT checkCall(const DISPPARAMS* params, WORD flags, UINT minArgs, UINT maxArgs);

// Fills EXCEPINFO (when given) from an error and answers DISP_E_EXCEPTION.
HRESULT exceptionResult(EXCEPINFO* info, const AutomationError& err);

// The DISPID of `name` among `members` (compared case-insensitively), or DISPID_UNKNOWN.
struct Member {
    std::u16string_view name;
    DISPID id;
};
DISPID findMember(const OLECHAR* name, std::initializer_list<Member> members);

// GetIDsOfNames over a fixed member list; names after the first (parameter names) are
// not known and give DISP_E_UNKNOWNNAME.
HRESULT idsOfNames(LPOLESTR* names, UINT count, DISPID* ids, std::initializer_list<Member> members);

bool equalsIgnoreCase(std::u16string_view a, std::u16string_view b);

} // namespace qor::detail
