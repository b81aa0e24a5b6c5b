// EmptyStringToZero, NulltoString, RemoveSpaces, PadString and StripTerminator.
#include "common_ops.h"

#include "error_display.h"

#include "qor/runtime.h"
#include "runtime_errors.h"

namespace qor::common {
namespace {

constexpr char16_t kBlank = u' ';
constexpr std::int32_t kPadStringError = kErrObjectError + 1000;

std::u16string_view trimBlanks(std::u16string_view text) {
    const std::size_t first = text.find_first_not_of(kBlank);
    if (first == std::u16string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(kBlank);
    return text.substr(first, last - first + 1);
}

[[noreturn]] void raisePadError(std::u16string_view description) {
    throw AutomationError(kPadStringError, u"PadString Function", std::u16string(description));
}

// An automation failure code as the run-time error number a client sees.
std::int32_t errorNumberFromHresult(HRESULT hr) {
    if (hr == DISP_E_TYPEMISMATCH)
        return kErrTypeMismatch;
    if (hr == DISP_E_OVERFLOW)
        return kErrOverflow;
    if (hr == E_OUTOFMEMORY)
        return kErrOutOfMemory;
    if ((static_cast<std::uint32_t>(hr) & 0xFFFF0000u) == static_cast<std::uint32_t>(VB_ERROR_BASE))
        return hr & 0xFFFF;
    return hr;
}

std::u16string padBody(std::u16string_view stringIn, std::int16_t stringLen,
                       std::u16string_view padChar, std::int32_t padDir, bool bTrunkIfLonger) {
    const std::int16_t n = toInteger16(stringIn.size());
    if (padChar.size() != 1)
        raisePadError(u"The pad char must be 1 char long");
    if (n > stringLen) {
        if (!bTrunkIfLonger)
            raisePadError(u"The input string is longer than the Pad Length and the calling "
                          u"code wanted an error raised.");
        if (stringLen < 0)
            raiseRuntime(kErrInvalidProcedureCall);
        return std::u16string(stringIn.substr(0, static_cast<std::size_t>(stringLen)));
    }
    if (n == 0)
        return std::u16string(static_cast<std::size_t>(stringLen), padChar[0]);
    const std::u16string padRun(static_cast<std::size_t>(stringLen - n), padChar[0]);
    switch (static_cast<PadEnd>(padDir)) {
    case PadEnd::PAD_ON_LEFT:
        return padRun + std::u16string(stringIn);
    case PadEnd::PAD_ON_RIGHT:
        return std::u16string(stringIn) + padRun;
    }
    return {};
}

} // namespace

std::u16string EmptyStringToZero(std::u16string_view stringIn) {
    return withSourcePrefix(u"QorCommon1.Common.EmptyStringToZero; ", [&] {
        const std::u16string_view trimmed = trimBlanks(stringIn);
        return trimmed.empty() ? std::u16string(u"0") : std::u16string(trimmed);
    });
}

std::u16string NulltoString(const VARIANT& varIn) {
    const VARIANT* value = &varIn;
    if (value->vt == (VT_BYREF | VT_VARIANT) && value->pvarVal != nullptr)
        value = value->pvarVal;
    if (value->vt == VT_NULL || value->vt == (VT_BYREF | VT_NULL))
        return {};
    VARIANT text;
    VariantInit(&text);
    const HRESULT hr = VariantChangeType(&text, value, 0, VT_BSTR);
    if (FAILED(hr)) {
        if (hr == E_OUTOFMEMORY)
            throw outOfMemory();
        const std::int32_t number = errorNumberFromHresult(hr);
        if (number > 0 && number <= 65535)
            raiseRuntime(number);
        throw AutomationError(number, std::u16string(kLibrarySource), u"Automation error");
    }
    const Bstr owned = Bstr::attach(text.bstrVal);
    return owned.str();
}

std::u16string RemoveSpaces(std::u16string_view stringIn, std::int16_t spaceCounter) {
    return withSourcePrefix(u"QorCommon1.Common.RemoveSpaces; ", [&] {
        const std::u16string_view trimmed = trimBlanks(stringIn);
        toInteger16(trimmed.size());
        std::u16string result;
        result.reserve(trimmed.size());
        std::int32_t run = 0;
        for (const char16_t c : trimmed) {
            if (c != kBlank) {
                run = 0;
                result.push_back(c);
            } else if (++run < spaceCounter) {
                result.push_back(c);
            }
        }
        return result;
    });
}

std::u16string PadString(std::u16string_view stringIn, std::int16_t stringLen,
                         std::u16string_view padChar, std::int32_t padDir, bool bTrunkIfLonger) {
    try {
        return padBody(stringIn, stringLen, padChar, padDir, bTrunkIfLonger);
    } catch (const AutomationError& err) {
        reportSwallowed(u"Velkin.QorCommon1.dll.Common.PadString", u"SelectText", err);
    } catch (const std::bad_alloc&) {
        reportSwallowed(u"Velkin.QorCommon1.dll.Common.PadString", u"SelectText", outOfMemory());
    }
    return {};
}

std::u16string StripTerminator(std::u16string_view strString) {
    const std::size_t nul = strString.find(u'\0');
    if (nul == std::u16string_view::npos)
        return std::u16string(strString);
    toInteger16(nul + 1);
    return std::u16string(strString.substr(0, nul));
}

} // namespace qor::common
