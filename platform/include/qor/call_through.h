// Adapts a vtable method to the dispatch table's CallThrough: unpacks the prepared
// arguments by the method's own parameter types and binds its [out, retval] parameter
// to the result VARIANT. Late-bound calls thereby run exactly the early-bound code.
#pragma once

#include <cstddef>
#include <tuple>
#include <type_traits>
#include <utility>

#include "qor/dispatch_table.h"

namespace qor::detail {

// Reads a prepared argument as the C++ parameter type T. Booleans and Integers share the
// 16-bit member; enumerations travel as 32-bit integers.
template <class T> T argument(VARIANT& v) {
    if constexpr (std::is_same_v<T, BSTR>)
        return v.bstrVal;
    else if constexpr (std::is_same_v<T, BSTR*>)
        return v.pbstrVal;
    else if constexpr (std::is_same_v<T, SHORT>)
        return v.iVal;
    else if constexpr (std::is_same_v<T, SHORT*>)
        return v.piVal;
    else if constexpr (std::is_same_v<T, LONG>)
        return v.lVal;
    else if constexpr (std::is_same_v<T, double>)
        return v.dblVal;
    else if constexpr (std::is_same_v<T, VARIANT*>)
        return v.pvarVal;
    else if constexpr (std::is_enum_v<T>)
        return static_cast<T>(v.lVal);
    else if constexpr (std::is_pointer_v<T> && std::is_enum_v<std::remove_pointer_t<T>>) {
        static_assert(sizeof(std::remove_pointer_t<T>) == sizeof(LONG));
        return reinterpret_cast<T>(v.plVal);
    } else if constexpr (std::is_same_v<T, IDispatch**>)
        return v.ppdispVal;
    else if constexpr (std::is_pointer_v<T> && std::is_pointer_v<std::remove_pointer_t<T>>) {
        // A specific dual interface (ErrObject): prepared as that interface's pointer.
        using Interface = std::remove_pointer_t<std::remove_pointer_t<T>>;
        static_assert(std::is_base_of_v<IDispatch, Interface>);
        return reinterpret_cast<T>(v.ppdispVal);
    } else
        static_assert(sizeof(T) == 0, "parameter type without a VARIANT form");
}

// Where the method writes its result; the dispatch table tags the VARIANT afterwards.
template <class T> struct Result;
template <> struct Result<BSTR*> {
    static BSTR* slot(VARIANT& r) { return &r.bstrVal; }
};
template <> struct Result<SHORT*> { // VARIANT_BOOL or Integer
    static SHORT* slot(VARIANT& r) { return &r.iVal; }
};
template <> struct Result<LONG*> {
    static LONG* slot(VARIANT& r) { return &r.lVal; }
};
template <> struct Result<double*> {
    static double* slot(VARIANT& r) { return &r.dblVal; }
};
template <> struct Result<VARIANT*> { // the method fills the whole VARIANT
    static VARIANT* slot(VARIANT& r) { return &r; }
};
template <> struct Result<IUnknown**> { // an enumerator, handed out as IUnknown
    static IUnknown** slot(VARIANT& r) { return &r.punkVal; }
};
template <class Interface> struct Result<Interface**> { // an object result, handed out as IDispatch
    static_assert(std::is_base_of_v<IDispatch, Interface>);
    static Interface** slot(VARIANT& r) { return reinterpret_cast<Interface**>(&r.pdispVal); }
};

template <auto Method, bool HasResult, class Signature> struct Caller;

template <auto Method, bool HasResult, class Interface, class... Params>
struct Caller<Method, HasResult, HRESULT (Interface::*)(Params...)> {
    using ParamTypes = std::tuple<Params...>;
    static constexpr std::size_t inCount = sizeof...(Params) - (HasResult ? 1 : 0);

    template <std::size_t... I>
    static HRESULT run(Interface* self, VARIANT* args, VARIANT* result, std::index_sequence<I...>) {
        if constexpr (HasResult) {
            using Out = std::tuple_element_t<sizeof...(Params) - 1, ParamTypes>;
            return (self->*Method)(argument<std::tuple_element_t<I, ParamTypes>>(args[I])...,
                                   Result<Out>::slot(*result));
        } else {
            return (self->*Method)(argument<std::tuple_element_t<I, ParamTypes>>(args[I])...);
        }
    }

    static HRESULT call(void* self, VARIANT* args, VARIANT* result) {
        return run(static_cast<Interface*>(self), args, result,
                   std::make_index_sequence<inCount>());
    }
};

} // namespace qor::detail

namespace qor {

// The table entry for a vtable method whose last parameter is its [out, retval] result,
// of the late-bound type `result`.
template <auto Method>
MethodSpec function(std::u16string_view name, DISPID dispid, std::vector<ParamSpec> params,
                    VARTYPE result) {
    return {name, dispid, std::move(params), result,
            &detail::Caller<Method, true, decltype(Method)>::call};
}

// The table entry for a read-write property: Get's last parameter is its [out, retval]
// value, Put takes the new value.
template <auto Get, auto Put>
MethodSpec property(std::u16string_view name, DISPID dispid, VARTYPE type) {
    return {name,
            dispid,
            {},
            type,
            &detail::Caller<Get, true, decltype(Get)>::call,
            &detail::Caller<Put, false, decltype(Put)>::call};
}

// The table entry for a vtable method without a result.
template <auto Method>
MethodSpec procedure(std::u16string_view name, DISPID dispid, std::vector<ParamSpec> params) {
    return {name, dispid, std::move(params), VT_EMPTY,
            &detail::Caller<Method, false, decltype(Method)>::call};
}

} // namespace qor
