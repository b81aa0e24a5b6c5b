// BSTR: a 32-bit byte count, then the UTF-16 text, then a NUL; the pointer handed out
// points at the text. A null BSTR stands for "".
#include <cstdlib>
#include <cstring>
#include <limits>

#include "qor/runtime.h"

namespace {

constexpr std::size_t kPrefix = sizeof(std::uint32_t);

std::uint32_t* headerOf(BSTR bstr) {
    return reinterpret_cast<std::uint32_t*>(reinterpret_cast<char*>(bstr) - kPrefix);
}

std::size_t lengthOf(const OLECHAR* psz) {
    std::size_t n = 0;
    while (psz[n] != 0)
        ++n;
    return n;
}

// Allocates room for `cch` characters; the text is zeroed unless copied from `pch`.
BSTR allocate(const OLECHAR* pch, std::size_t cch) {
    // The byte count must fit the 32-bit prefix.
    if (cch >
        (std::numeric_limits<std::uint32_t>::max() - kPrefix - sizeof(OLECHAR)) / sizeof(OLECHAR))
        return nullptr;
    const std::size_t bytes = cch * sizeof(OLECHAR);
    auto* block = static_cast<char*>(std::malloc(kPrefix + bytes + sizeof(OLECHAR)));
    if (block == nullptr)
        return nullptr;
    const auto byteCount = static_cast<std::uint32_t>(bytes);
    std::memcpy(block, &byteCount, kPrefix);
    auto* text = reinterpret_cast<BSTR>(block + kPrefix);
    if (pch != nullptr)
        std::memcpy(text, pch, bytes);
    else
        std::memset(text, 0, bytes);
    text[cch] = 0;
    return text;
}

} // namespace

QOR_API BSTR SysAllocString(const OLECHAR* psz) {
    if (psz == nullptr)
        return nullptr;
    return allocate(psz, lengthOf(psz));
}

QOR_API BSTR SysAllocStringLen(const OLECHAR* pch, UINT cch) {
    return allocate(pch, cch);
}

QOR_API void SysFreeString(BSTR bstr) {
    if (bstr != nullptr)
        std::free(headerOf(bstr));
}

QOR_API UINT SysStringByteLen(BSTR bstr) {
    if (bstr == nullptr)
        return 0;
    std::uint32_t bytes;
    std::memcpy(&bytes, headerOf(bstr), kPrefix);
    return bytes;
}

QOR_API UINT SysStringLen(BSTR bstr) {
    return SysStringByteLen(bstr) / sizeof(OLECHAR);
}

// The new text is made before the old one goes: the source may lie inside it.
QOR_API INT SysReAllocStringLen(BSTR* pbstr, const OLECHAR* psz, UINT len) {
    if (pbstr == nullptr)
        return 0;
    BSTR fresh = allocate(psz, len);
    if (fresh == nullptr)
        return 0;
    SysFreeString(*pbstr);
    *pbstr = fresh;
    return 1;
}

QOR_API INT SysReAllocString(BSTR* pbstr, const OLECHAR* psz) {
    if (pbstr == nullptr)
        return 0;
    if (psz == nullptr) {
        SysFreeString(*pbstr);
        *pbstr = nullptr;
        return 1;
    }
    return SysReAllocStringLen(pbstr, psz, static_cast<UINT>(lengthOf(psz)));
}

namespace qor {

Bstr::Bstr(std::u16string_view text) {
    raw_ = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (raw_ == nullptr && !text.empty())
        throw std::bad_alloc();
}

Bstr Bstr::attach(BSTR raw) noexcept {
    Bstr b;
    b.raw_ = raw;
    return b;
}

Bstr::Bstr(Bstr&& other) noexcept : raw_(other.detach()) {}

Bstr& Bstr::operator=(Bstr&& other) noexcept {
    if (this != &other) {
        SysFreeString(raw_);
        raw_ = other.detach();
    }
    return *this;
}

Bstr::~Bstr() {
    SysFreeString(raw_);
}

BSTR* Bstr::out() noexcept {
    SysFreeString(raw_);
    raw_ = nullptr;
    return &raw_;
}

BSTR Bstr::detach() noexcept {
    BSTR raw = raw_;
    raw_ = nullptr;
    return raw;
}

std::u16string Bstr::toU16(BSTR raw) {
    if (raw == nullptr)
        return {};
    return std::u16string(raw, SysStringLen(raw));
}

} // namespace qor
