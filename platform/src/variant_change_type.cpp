// VariantChangeType for the automation types the library passes: the coercions of OLE
// Automation between empty, null, I2, I4, R8, BOOL, BSTR, ERROR and objects.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <string>

#include "c_boundary.h"
#include "hex_digit.h"
#include "qor/runtime.h"

namespace {

bool isNumeric(VARTYPE vt) {
    switch (vt) {
    case VT_I2:
    case VT_I4:
    case VT_R4:
    case VT_R8:
    case VT_BOOL:
    case VT_UI1:
    case VT_I8:
    case VT_INT:
    case VT_UINT:
    case VT_CY:
    case VT_DATE:
        return true;
    default:
        return false;
    }
}

double numericValue(const VARIANT& v) {
    switch (v.vt) {
    case VT_I2:
        return v.iVal;
    case VT_I4:
    case VT_INT:
        return v.lVal;
    case VT_UINT:
        return static_cast<std::uint32_t>(v.lVal);
    case VT_R4:
        return v.fltVal;
    case VT_R8:
    case VT_DATE:
        return v.dblVal;
    case VT_BOOL:
        return v.boolVal != 0 ? -1.0 : 0.0;
    case VT_UI1:
        return v.bVal;
    case VT_I8:
        return static_cast<double>(v.llVal);
    case VT_CY:
        return static_cast<double>(v.llVal) / 10000.0;
    default:
        return 0.0;
    }
}

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

bool equalsIgnoreCase(std::u16string_view text, std::u16string_view word) {
    if (text.size() != word.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c - u'A' + u'a');
        if (c != word[i])
            return false;
    }
    return true;
}

std::u16string_view trimmed(BSTR text) {
    std::u16string_view s(text == nullptr ? u"" : text, SysStringLen(text));
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// The classic spellings of infinities and NaNs ("1.#INF", "-1.#INF", "1.#QNAN", "-1.#IND"),
// read back as they are written.
bool parseSpecial(std::u16string_view s, double& out) {
    bool negative = false;
    if (!s.empty() && (s.front() == u'+' || s.front() == u'-')) {
        negative = s.front() == u'-';
        s.remove_prefix(1);
    }
    if (equalsIgnoreCase(s, u"1.#inf"))
        out = HUGE_VAL;
    else if (equalsIgnoreCase(s, u"1.#qnan") || equalsIgnoreCase(s, u"1.#ind"))
        out = std::numeric_limits<double>::quiet_NaN();
    else
        return false;
    out = std::copysign(out, negative ? -1.0 : 1.0);
    return true;
}

// "&H" hexadecimal and "&O" octal literals: up to four hex digits make a 16-bit value
// (&HFFFF is -1), longer ones a 32-bit value (&HFFFFFFFF is -1); beyond that overflows.
HRESULT parseRadixLiteral(std::u16string_view s, double& out) {
    if (s.size() < 3 || s[0] != u'&')
        return DISP_E_TYPEMISMATCH;
    const char16_t kind = s[1];
    const unsigned radix = kind == u'H' || kind == u'h' ? 16 : kind == u'O' || kind == u'o' ? 8 : 0;
    if (radix == 0)
        return DISP_E_TYPEMISMATCH;
    std::uint64_t value = 0;
    for (const char16_t c : s.substr(2)) {
        const int digit = qor::detail::hexDigitValue(c);
        if (digit < 0 || static_cast<unsigned>(digit) >= radix)
            return DISP_E_TYPEMISMATCH;
        value = value * radix + static_cast<unsigned>(digit);
        if (value > 0xFFFFFFFFu)
            return DISP_E_OVERFLOW;
    }
    if (value <= 0xFFFF)
        out = static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
    else
        out = static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    return S_OK;
}

// Whether an out-of-range decimal text is too small rather than too large: its first
// significant digit lies far right of the decimal point.
bool isUnderflow(std::string_view digits) {
    const std::size_t e = digits.find_first_of("eE");
    const std::string_view mantissa = digits.substr(0, e);
    long long exponent = 0;
    if (e != std::string_view::npos) {
        std::string_view text = digits.substr(e + 1);
        const bool negative = !text.empty() && text.front() == '-';
        if (!text.empty() && (text.front() == '-' || text.front() == '+'))
            text.remove_prefix(1);
        for (const char c : text) {
            exponent = std::min(exponent * 10 + (c - '0'), 100000LL);
        }
        exponent = negative ? -exponent : exponent;
    }
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_of("123456789");
    if (first == std::string_view::npos)
        return true;
    const long long position = first < point ? static_cast<long long>(point - first)
                                             : -static_cast<long long>(first - point - 1);
    return position + exponent <= 0;
}

// A decimal number with '.' as separator and an optional exponent, a hexadecimal or octal
// literal, or a classic infinity or NaN spelling; blanks around it.
HRESULT parseNumber(BSTR text, double& out) {
    const std::u16string_view s = trimmed(text);
    if (parseSpecial(s, out))
        return S_OK;
    if (!s.empty() && s.front() == u'&')
        return parseRadixLiteral(s, out);
    std::string ascii;
    for (char16_t c : s) {
        const bool allowed = (c >= u'0' && c <= u'9') || c == u'.' || c == u'+' || c == u'-' ||
                             c == u'e' || c == u'E';
        if (!allowed)
            return DISP_E_TYPEMISMATCH;
        ascii += static_cast<char>(c);
    }
    std::size_t start = 0;
    bool negative = false;
    if (!ascii.empty() && (ascii[0] == '+' || ascii[0] == '-')) {
        negative = ascii[0] == '-';
        start = 1;
    }
    if (start >= ascii.size() ||
        !(ascii[start] == '.' || (ascii[start] >= '0' && ascii[start] <= '9')))
        return DISP_E_TYPEMISMATCH;
    double value = 0;
    const char* first = ascii.data() + start;
    const char* last = ascii.data() + ascii.size();
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec == std::errc::result_out_of_range && end == last) {
        if (!isUnderflow(std::string_view(first, static_cast<std::size_t>(last - first))))
            return DISP_E_OVERFLOW;
        value = 0; // too small for a double: zero, as the classic runtime gives
    } else if (ec != std::errc() || end != last) {
        return DISP_E_TYPEMISMATCH;
    }
    out = negative ? -value : value;
    return S_OK;
}

// Automation writes doubles with 15 significant digits and switches to "1E+20" form
// outside 1E-05..1E+15, trailing zeros dropped.
std::string formatDouble(double value, int digits) {
    if (value == 0)
        return "0"; // also -0
    if (std::isinf(value))
        return std::string(value > 0 ? "1.#INF" : "-1.#INF");
    if (std::isnan(value)) // the NaN of an invalid operation has its sign bit set
        return std::string(std::signbit(value) ? "-1.#IND" : "1.#QNAN");
    char buf[64];
    const auto [end, ec] =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, digits);
    std::string text(buf, ec == std::errc() ? end : buf);
    const auto e = text.find('e');
    if (e != std::string::npos)
        text[e] = 'E';
    return text;
}

HRESULT toBstr(const VARIANT& src, VARIANT& out) {
    std::string text;
    if (src.vt == VT_EMPTY) {
        text.clear();
    } else if (src.vt == VT_BOOL) {
        text = src.boolVal != 0 ? "True" : "False";
    } else if (src.vt == VT_R8 || src.vt == VT_DATE) {
        text = formatDouble(src.dblVal, 15);
    } else if (src.vt == VT_R4) {
        text = formatDouble(src.fltVal, 7);
    } else if (src.vt == VT_CY) {
        text = formatDouble(numericValue(src), 15);
    } else if (src.vt == VT_I8) {
        text = std::to_string(src.llVal);
    } else if (isNumeric(src.vt)) {
        text = std::to_string(static_cast<long long>(numericValue(src)));
    } else {
        return DISP_E_TYPEMISMATCH;
    }
    const std::u16string wide(text.begin(), text.end());
    out.vt = VT_BSTR;
    out.bstrVal = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    return out.bstrVal == nullptr ? E_OUTOFMEMORY : S_OK;
}

HRESULT sourceAsDouble(const VARIANT& src, double& value) {
    if (src.vt == VT_EMPTY) {
        value = 0;
        return S_OK;
    }
    if (src.vt == VT_BSTR)
        return parseNumber(src.bstrVal, value);
    if (!isNumeric(src.vt))
        return DISP_E_TYPEMISMATCH;
    value = numericValue(src);
    return S_OK;
}

// Integers round half to even, as automation does; out of range overflows.
HRESULT toInteger(const VARIANT& src, VARTYPE vt, VARIANT& out) {
    double value;
    const HRESULT hr = sourceAsDouble(src, value);
    if (FAILED(hr))
        return hr;
    const double rounded = std::nearbyint(value);
    const double low = vt == VT_I2 ? -32768.0 : -2147483648.0;
    const double high = vt == VT_I2 ? 32767.0 : 2147483647.0;
    if (!(rounded >= low && rounded <= high))
        return DISP_E_OVERFLOW;
    out.vt = vt;
    if (vt == VT_I2)
        out.iVal = static_cast<SHORT>(rounded);
    else
        out.lVal = static_cast<LONG>(rounded);
    return S_OK;
}

HRESULT toDouble(const VARIANT& src, VARIANT& out) {
    double value;
    const HRESULT hr = sourceAsDouble(src, value);
    if (FAILED(hr))
        return hr;
    out.vt = VT_R8;
    out.dblVal = value;
    return S_OK;
}

HRESULT toBool(const VARIANT& src, VARIANT& out) {
    if (src.vt == VT_BSTR) {
        const std::u16string_view s = trimmed(src.bstrVal);
        if (equalsIgnoreCase(s, u"true") || equalsIgnoreCase(s, u"false")) {
            out.vt = VT_BOOL;
            out.boolVal = equalsIgnoreCase(s, u"true") ? VARIANT_TRUE : VARIANT_FALSE;
            return S_OK;
        }
    }
    double value;
    const HRESULT hr = sourceAsDouble(src, value);
    if (FAILED(hr))
        return hr;
    out.vt = VT_BOOL;
    out.boolVal = value != 0 ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT toObject(const VARIANT& src, VARTYPE vt, VARIANT& out) {
    if (src.vt != VT_DISPATCH && src.vt != VT_UNKNOWN)
        return DISP_E_TYPEMISMATCH;
    if (src.punkVal == nullptr) {
        if (vt == VT_DISPATCH && src.vt == VT_UNKNOWN)
            return DISP_E_TYPEMISMATCH;
        out.vt = vt;
        out.punkVal = nullptr;
        return S_OK;
    }
    void* obj = nullptr;
    const HRESULT hr =
        src.punkVal->QueryInterface(vt == VT_DISPATCH ? IID_IDispatch : IID_IUnknown, &obj);
    if (FAILED(hr))
        return DISP_E_TYPEMISMATCH;
    out.vt = vt;
    out.punkVal = static_cast<IUnknown*>(obj);
    return S_OK;
}

// The default value of an object (DISPID_VALUE, property get).
HRESULT defaultValue(const VARIANT& src, VARIANT& out) {
    if (src.punkVal == nullptr)
        return DISP_E_TYPEMISMATCH;
    IDispatch* disp = nullptr;
    if (src.vt == VT_DISPATCH) {
        disp = src.pdispVal;
        disp->AddRef();
    } else if (FAILED(
                   src.punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&disp)))) {
        return DISP_E_TYPEMISMATCH;
    }
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    const HRESULT hr = disp->Invoke(DISPID_VALUE, IID_NULL, LOCALE_USER_DEFAULT,
                                    DISPATCH_PROPERTYGET, &none, &out, nullptr, nullptr);
    disp->Release();
    if (FAILED(hr)) {
        VariantClear(&out);
        return DISP_E_TYPEMISMATCH;
    }
    // A default value that is itself an object has no scalar meaning.
    if (out.vt == VT_DISPATCH || out.vt == VT_UNKNOWN || (out.vt & VT_BYREF) != 0) {
        VariantClear(&out);
        return DISP_E_TYPEMISMATCH;
    }
    return S_OK;
}

bool isSupportedTarget(VARTYPE vt) {
    switch (vt) {
    case VT_EMPTY:
    case VT_NULL:
    case VT_I2:
    case VT_I4:
    case VT_R8:
    case VT_BOOL:
    case VT_BSTR:
    case VT_DISPATCH:
    case VT_UNKNOWN:
    case VT_ERROR:
        return true;
    default:
        return false;
    }
}

bool isKnownTarget(VARTYPE vt) {
    return isSupportedTarget(vt) || vt == VT_R4 || vt == VT_CY || vt == VT_DATE || vt == VT_UI1 ||
           vt == VT_I8 || vt == VT_INT || vt == VT_UINT;
}

HRESULT convert(const VARIANT& src, USHORT flags, VARTYPE vt, VARIANT& out) {
    if (src.vt == vt)
        return VariantCopy(&out, &src);
    if (vt == VT_DISPATCH || vt == VT_UNKNOWN)
        return toObject(src, vt, out);
    if (src.vt == VT_DISPATCH || src.vt == VT_UNKNOWN) {
        if ((flags & VARIANT_NOVALUEPROP) != 0)
            return DISP_E_TYPEMISMATCH;
        qor::Variant value;
        const HRESULT hr = defaultValue(src, *value);
        if (FAILED(hr))
            return hr;
        return convert(*value, flags, vt, out);
    }
    if (src.vt == VT_NULL || src.vt == VT_ERROR)
        return DISP_E_TYPEMISMATCH;
    switch (vt) {
    case VT_BSTR:
        return toBstr(src, out);
    case VT_I2:
    case VT_I4:
        return toInteger(src, vt, out);
    case VT_R8:
        return toDouble(src, out);
    case VT_BOOL:
        return toBool(src, out);
    default:
        return DISP_E_TYPEMISMATCH; // empty, null and error come only from themselves
    }
}

} // namespace

namespace {

HRESULT changeType(VARIANT* pvargDest, const VARIANT* pvarSrc, USHORT wFlags, VARTYPE vt) {
    if (pvargDest == nullptr || pvarSrc == nullptr)
        return E_INVALIDARG;
    if (!isKnownTarget(vt))
        return DISP_E_BADVARTYPE;
    if (!isSupportedTarget(vt))
        return DISP_E_TYPEMISMATCH;

    qor::Variant src; // the source's value, with any reference followed
    HRESULT hr = VariantCopyInd(src.get(), pvarSrc);
    if (FAILED(hr))
        return hr;
    VARIANT result;
    VariantInit(&result);
    hr = convert(*src, wFlags, vt, result);
    if (FAILED(hr)) {
        VariantClear(&result);
        return hr;
    }
    VariantClear(pvargDest);
    std::memcpy(pvargDest, &result, sizeof result);
    return S_OK;
}

} // namespace

QOR_API HRESULT VariantChangeType(VARIANT* pvargDest, const VARIANT* pvarSrc, USHORT wFlags,
                                  VARTYPE vt) {
    return qor::detail::withoutExceptions(
        E_OUTOFMEMORY, E_UNEXPECTED, [&] { return changeType(pvargDest, pvarSrc, wFlags, vt); });
}
