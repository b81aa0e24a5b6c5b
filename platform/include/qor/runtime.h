// C++ conveniences over the exported runtime, for the library and its clients.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "qor/automation_error.h"
#include "qor/com_api.h"

namespace qor {

// Owns one BSTR.
class Bstr {
public:
    Bstr() = default;
    explicit Bstr(std::u16string_view text);
    static Bstr attach(BSTR raw) noexcept; // takes ownership
    Bstr(Bstr&& other) noexcept;
    Bstr& operator=(Bstr&& other) noexcept;
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr();

    BSTR get() const noexcept { return raw_; }
    BSTR* out() noexcept; // frees the current value, for an [out] parameter
    BSTR detach() noexcept;
    std::u16string str() const { return toU16(raw_); }

    static std::u16string toU16(BSTR raw); // a null BSTR is ""

private:
    BSTR raw_ = nullptr;
};

// UTF-8 <-> UTF-16; unpaired surrogates become U+FFFD on the way to UTF-8.
std::string toUtf8(std::u16string_view text);
std::u16string fromUtf8(std::string_view text);

// A new error object carrying number, source and description; it answers
// QueryInterface for IErrorInfo and for ErrObject. Returned with one reference.
ErrObject* createErrObject(std::int32_t number, std::u16string_view source,
                           std::u16string_view description);

// The HRESULT a failing call returns for a run-time error number: a failure code stands
// for itself, 1..65535 maps to 0x800A0000 + number, anything else is E_FAIL.
HRESULT hresultFromErrorNumber(std::int32_t number);

// Sets the thread's error object for err and returns the matching HRESULT.
HRESULT raiseErrorInfo(const AutomationError& err);

// Reads the thread's error object back as a value (number from ErrObject when it offers
// one, else from hr); used by clients after a failing call.
AutomationError takeErrorInfo(HRESULT hr);

// A new, empty collection. Returned with one reference.
Collection* createCollection();

// A named resource embedded in the loaded library that contains `addressInModule`
// (the Linux stand-in for FindResource/LoadResource). Empty when there is none.
std::span<const std::byte> findResource(const void* addressInModule, std::string_view type,
                                        std::string_view name);

} // namespace qor

// Embeds a file as a named resource of the library being built; FILE is a path string.
// The names become symbols that findResource() looks up with dlsym.
#define QOR_RESOURCE_SYMBOL_PREFIX "qor_resource__"
