// VariantChangeType from text and numbers to every target type; a double that became
// text must read back.
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "qor/runtime.h"

namespace {

constexpr VARTYPE kTargets[] = {VT_EMPTY, VT_NULL,  VT_I2,       VT_I4,      VT_R8, VT_BOOL,
                                VT_BSTR,  VT_ERROR, VT_DISPATCH, VT_UNKNOWN, VT_R4, VT_DATE};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    const VARTYPE target = kTargets[data[0] % std::size(kTargets)];
    const std::uint8_t kind = data[1];
    data += 2;
    size -= 2;
    VARIANT src;
    VariantInit(&src);
    if (kind % 3 == 0) { // UTF-16 text from the bytes
        src.vt = VT_BSTR;
        src.bstrVal =
            SysAllocStringLen(reinterpret_cast<const OLECHAR*>(data), static_cast<UINT>(size / 2));
    } else if (kind % 3 == 1) { // ASCII text from the bytes
        std::u16string text(data, data + size);
        src.vt = VT_BSTR;
        src.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    } else { // a double from the bytes
        if (size < 8)
            return 0;
        src.vt = VT_R8;
        std::memcpy(&src.dblVal, data, 8);
    }
    VARIANT dst;
    VariantInit(&dst);
    VariantChangeType(&dst, &src, 0, target);
    VariantClear(&dst);
    if (src.vt == VT_R8) {
        VARIANT text, back;
        VariantInit(&text);
        VariantInit(&back);
        if (VariantChangeType(&text, &src, 0, VT_BSTR) != S_OK)
            std::abort();
        const HRESULT hr = VariantChangeType(&back, &text, 0, VT_R8);
        // Written with 15 digits, the largest doubles round up past the range.
        if (hr != S_OK && !(hr == DISP_E_OVERFLOW && std::abs(src.dblVal) > 1.79769313486231e308))
            std::abort();
        if (hr == S_OK && std::isnan(src.dblVal) != std::isnan(back.dblVal))
            std::abort();
        VariantClear(&text);
    }
    VariantClear(&src);
    return 0;
}
