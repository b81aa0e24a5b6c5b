// Crossing the binary boundary: BSTR <-> text, VARIANT_BOOL <-> bool, and the guard that
// turns a thrown AutomationError into a failing HRESULT plus the thread's error object.
#pragma once

#include <cstdint>
#include <cstring>
#include <exception>
#include <new>
#include <string>
#include <string_view>

#include "qor/runtime.h"

namespace qor::server {

// A client may pass any 32-bit number for an enumeration; reading it as the enumeration
// type is undefined beyond the listed members, so its bits are read as a number.
template <class Enum> std::int32_t enumValue(const Enum& value) {
    static_assert(sizeof(Enum) == sizeof(std::int32_t));
    std::int32_t raw;
    std::memcpy(&raw, &value, sizeof raw);
    return raw;
}

// A null BSTR is the empty text.
inline std::u16string_view view(BSTR text) noexcept {
    return text ? std::u16string_view(text, SysStringLen(text)) : std::u16string_view();
}

inline BSTR toBstr(std::u16string_view text) {
    BSTR out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (out == nullptr)
        throw std::bad_alloc();
    return out;
}

inline bool toBool(VARIANT_BOOL value) noexcept {
    return value != VARIANT_FALSE;
}
inline VARIANT_BOOL toVariantBool(bool value) noexcept {
    return value ? VARIANT_TRUE : VARIANT_FALSE;
}

// Runs an operation body; failures become the error convention's HRESULT and error object.
template <class Body> HRESULT guarded(Body&& body) noexcept {
    try {
        body();
        return S_OK;
    } catch (const AutomationError& err) {
        return raiseErrorInfo(err);
    } catch (const std::bad_alloc&) {
        SetErrorInfo(0, nullptr);
        return E_OUTOFMEMORY;
    } catch (const std::exception&) {
        // Nothing else may cross the binary boundary as an exception.
        SetErrorInfo(0, nullptr);
        return E_FAIL;
    }
}

} // namespace qor::server
