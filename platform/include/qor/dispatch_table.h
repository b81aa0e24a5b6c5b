// One table per interface drives late binding: GetIDsOfNames looks names up in it and
// Invoke checks, coerces and orders the arguments by it before calling the same vtable
// method an early-bound client calls.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "qor/com_api.h"

namespace qor {

struct ParamSpec {
    std::u16string_view name;
    VARTYPE vt; // VT_BSTR, VT_BOOL, VT_I2, VT_I4, VT_R8, VT_VARIANT or VT_DISPATCH
    bool byRef = false;
    bool optional = false;
    LONG defaultValue = 0;    // for an omitted optional number or boolean; text defaults to ""
    const IID* iid = nullptr; // an object parameter that needs this interface, not IDispatch
};

// Arguments in declaration order, each holding exactly the parameter's type (VT_BYREF
// forms for by-reference parameters); the result VARIANT is empty on entry, and the call
// fills its value (a Variant result: the whole VARIANT).
using CallThrough = HRESULT (*)(void* self, VARIANT* args, VARIANT* result);

struct MethodSpec {
    std::u16string_view name;
    DISPID dispid;
    std::vector<ParamSpec> params;
    VARTYPE result; // VT_EMPTY for none
    CallThrough call;
    // A property's put: one argument of type `result`, the new value. Null: read-only.
    CallThrough put = nullptr;
};

class QOR_CPP_API DispatchTable {
  public:
    explicit DispatchTable(std::vector<MethodSpec> methods);

    std::span<const MethodSpec> methods() const { return methods_; }

    HRESULT getIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, DISPID* ids) const;
    // `self` is the interface pointer the table's methods belong to.
    HRESULT invoke(void* self, DISPID dispid, REFIID riid, WORD flags, DISPPARAMS* params,
                   VARIANT* result, EXCEPINFO* excepInfo, UINT* argErr) const;

  private:
    const MethodSpec* find(DISPID dispid) const;
    HRESULT invokePut(void* self, const MethodSpec& method, DISPPARAMS* params,
                      EXCEPINFO* excepInfo, UINT* argErr) const;

    std::vector<MethodSpec> methods_;
};

} // namespace qor
