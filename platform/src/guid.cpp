// The standard interface identifiers and the "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" form.
#include "hex_digit.h"
#include "qor/runtime.h"

extern "C" {
const IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_IDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_IClassFactory = {0x00000001, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_IEnumVARIANT = {0x00020404, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_IErrorInfo = {
    0x1CF2B120, 0x547D, 0x101B, {0x8E, 0x65, 0x08, 0x00, 0x2B, 0x2B, 0xD1, 0x19}};
const IID IID_ICreateErrorInfo = {
    0x22F03340, 0x547D, 0x101B, {0x8E, 0x65, 0x08, 0x00, 0x2B, 0x2B, 0xD1, 0x19}};
const IID IID_ISupportErrorInfo = {
    0xDF0B3D60, 0x548F, 0x101B, {0x8E, 0x65, 0x08, 0x00, 0x2B, 0x2B, 0xD1, 0x19}};
const IID IID_ErrObject = {
    0xA4C466B8, 0x499F, 0x101B, {0xBB, 0x78, 0x00, 0xAA, 0x00, 0x38, 0x3C, 0xBB}};
const IID IID_Collection = {
    0xA4C46780, 0x499F, 0x101B, {0xBB, 0x78, 0x00, 0xAA, 0x00, 0x38, 0x3C, 0xBB}};
const IID IID_NULL = {0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};
}

namespace {

constexpr int kGuidChars = 38; // without the terminating NUL
constexpr char16_t kHex[] = u"0123456789ABCDEF";

// Byte order of the text form: Data1..Data3 as numbers, then Data4 byte by byte.
void putHex(OLECHAR*& out, std::uint64_t value, int digits) {
    for (int i = digits - 1; i >= 0; --i)
        *out++ = kHex[(value >> (4 * i)) & 0xF];
}

bool readHex(const OLECHAR*& in, int digits, std::uint64_t& value) {
    value = 0;
    for (int i = 0; i < digits; ++i, ++in) {
        const int d = qor::detail::hexDigitValue(*in);
        if (d < 0)
            return false;
        value = (value << 4) | static_cast<std::uint64_t>(d);
    }
    return true;
}

bool expect(const OLECHAR*& in, char16_t c) {
    if (*in != c)
        return false;
    ++in;
    return true;
}

} // namespace

QOR_API int StringFromGUID2(REFGUID rguid, LPOLESTR lpsz, int cchMax) {
    if (lpsz == nullptr || cchMax < kGuidChars + 1)
        return 0;
    OLECHAR* out = lpsz;
    *out++ = u'{';
    putHex(out, rguid.Data1, 8);
    *out++ = u'-';
    putHex(out, rguid.Data2, 4);
    *out++ = u'-';
    putHex(out, rguid.Data3, 4);
    *out++ = u'-';
    putHex(out, rguid.Data4[0], 2);
    putHex(out, rguid.Data4[1], 2);
    *out++ = u'-';
    for (int i = 2; i < 8; ++i)
        putHex(out, rguid.Data4[i], 2);
    *out++ = u'}';
    *out = 0;
    return kGuidChars + 1;
}

QOR_API HRESULT CLSIDFromString(LPCOLESTR lpsz, CLSID* pclsid) {
    if (pclsid == nullptr)
        return E_INVALIDARG;
    if (lpsz == nullptr) {
        *pclsid = IID_NULL;
        return S_OK;
    }
    const OLECHAR* in = lpsz;
    std::uint64_t v = 0;
    GUID g{};
    bool ok = expect(in, u'{') && readHex(in, 8, v);
    g.Data1 = static_cast<std::uint32_t>(v);
    ok = ok && expect(in, u'-') && readHex(in, 4, v);
    g.Data2 = static_cast<std::uint16_t>(v);
    ok = ok && expect(in, u'-') && readHex(in, 4, v);
    g.Data3 = static_cast<std::uint16_t>(v);
    ok = ok && expect(in, u'-');
    for (int i = 0; ok && i < 8; ++i) {
        if (i == 2)
            ok = expect(in, u'-');
        ok = ok && readHex(in, 2, v);
        g.Data4[i] = static_cast<std::uint8_t>(v);
    }
    ok = ok && expect(in, u'}') && *in == 0;
    if (!ok)
        return CO_E_CLASSSTRING;
    *pclsid = g;
    return S_OK;
}
