// C++ conveniences over the exported runtime, for the library and its clients.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "qor/automation_error.h"
#include "qor/com_api.h"
#include "qor/com_ptr.h"
#include "qor/variant.h"

namespace qor {

// Owns one BSTR.
class QOR_CPP_API Bstr {
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
QOR_CPP_API std::string toUtf8(std::u16string_view text);
QOR_CPP_API std::u16string fromUtf8(std::string_view text);

// The classic text of a run-time error number ("Type mismatch" for 13); numbers without
// one give "Application-defined or object-defined error".
QOR_CPP_API std::u16string_view standardDescription(std::int32_t number);

// A new error object carrying number, source and description; it answers
// QueryInterface for ErrObject, IDispatch, IErrorInfo and ICreateErrorInfo (late-bound
// DISPIDs in com_interfaces.h). Returned with one reference.
QOR_CPP_API ErrObject* createErrObject(std::int32_t number, std::u16string_view source,
                                       std::u16string_view description);

// The HRESULT a failing call returns for a run-time error number: a failure code stands
// for itself, 1..65535 maps to 0x800A0000 + number, anything else is E_FAIL.
QOR_CPP_API HRESULT hresultFromErrorNumber(std::int32_t number);

// Sets the thread's error object for err and returns the matching HRESULT.
QOR_CPP_API HRESULT raiseErrorInfo(const AutomationError& err);

// Reads the thread's error object back as a value (number from ErrObject when it offers
// one, else from hr); used by clients after a failing call.
QOR_CPP_API AutomationError takeErrorInfo(HRESULT hr);

// A new, empty collection (late-bound DISPIDs in com_interfaces.h; errors 5, 9, 13 and
// 457 as the classic collection raises them). Returned with one reference.
QOR_CPP_API Collection* createCollection();

// A named resource embedded in the loaded library that contains `addressInModule`
// (the Linux stand-in for FindResource/LoadResource). Empty when there is none.
QOR_CPP_API std::span<const std::byte> findResource(const void* addressInModule,
                                                    std::string_view type, std::string_view name);

} // namespace qor

// Resources. A library embeds each resource as the bytes between two exported symbols,
//   qor_resource__<TYPE>__<NAME>__begin and qor_resource__<TYPE>__<NAME>__end,
// e.g. qor_resource__TYPELIB__1__begin for the type library (type "TYPELIB", name "1").
// Types and names are therefore limited to letters, digits and '_'; findResource() answers
// empty for any other spelling. QOR_EMBED_RESOURCE(TYPE, NAME, FILE) emits both symbols
// around the file's bytes (.incbin), aligned to 16; TYPE and NAME are bare tokens, FILE a
// string literal with the file's path, e.g. QOR_EMBED_RESOURCE(TYPELIB, 1, "/b/q.tlb");
// it must appear at namespace scope. The symbols are global with default visibility even
// under -fvisibility=hidden; a linker version script must keep them exported.
#define QOR_RESOURCE_SYMBOL_PREFIX "qor_resource__"

#define QOR_RESOURCE_SYMBOL_(TYPE, NAME, EDGE) "qor_resource__" #TYPE "__" #NAME "__" #EDGE
// The assembler text does not survive automatic formatting.
// clang-format off
#define QOR_EMBED_RESOURCE(TYPE, NAME, FILE)                                                 \
    __asm__(".pushsection .rodata\n"                                                        \
            ".balign 16\n"                                                                  \
            ".globl " QOR_RESOURCE_SYMBOL_(TYPE, NAME, begin) "\n"                          \
            ".type " QOR_RESOURCE_SYMBOL_(TYPE, NAME, begin) ", @object\n"                  \
            QOR_RESOURCE_SYMBOL_(TYPE, NAME, begin) ":\n"                                    \
            ".incbin \"" FILE "\"\n"                                                       \
            ".globl " QOR_RESOURCE_SYMBOL_(TYPE, NAME, end) "\n"                            \
            ".type " QOR_RESOURCE_SYMBOL_(TYPE, NAME, end) ", @object\n"                    \
            QOR_RESOURCE_SYMBOL_(TYPE, NAME, end) ":\n"                                      \
            ".popsection\n")
// clang-format on
