// DMSEnum, ValidateGeoCoordinate, DMStoDecimalDegrees and ConvertImpliedDecimals.
#include "geo_support.h"

#include <optional>

#include "qor/runtime.h"
#include "runtime_errors.h"
#include "text_number.h"

namespace qor::geo {
namespace {

using common::parseDecimal;

void addKeyedText(Collection& collection, std::u16string_view text) {
    const Bstr item(text);
    const Bstr key(text);
    VARIANT itemArg;
    VARIANT keyArg;
    VARIANT missing;
    VariantInit(&itemArg);
    VariantInit(&keyArg);
    VariantInit(&missing);
    itemArg.vt = VT_BSTR;
    itemArg.bstrVal = item.get();
    keyArg.vt = VT_BSTR;
    keyArg.bstrVal = key.get();
    missing.vt = VT_ERROR;
    missing.scode = DISP_E_PARAMNOTFOUND;
    if (const HRESULT hr = collection.Add(&itemArg, &keyArg, &missing, &missing); FAILED(hr))
        throw takeErrorInfo(hr);
}

// Characters from 1-based position `start`, at most `length` of them, "" past the end.
std::u16string_view mid(std::u16string_view text, std::size_t start, std::size_t length) {
    if (start > text.size())
        return {};
    return text.substr(start - 1, length);
}

struct DmsLayout {
    std::size_t degreeDigits;
    char16_t positive;
    char16_t negative;
};

std::optional<double> dmsValue(const DmsLayout& layout, std::u16string_view text) {
    const std::size_t d = layout.degreeDigits;
    const auto degreesValue = parseDecimal(mid(text, 1, d));
    if (!degreesValue)
        return std::nullopt;
    const auto degrees = common::roundToInteger16(*degreesValue);
    const auto minutes = parseDecimal(mid(text, d + 1, 2));
    std::u16string secondsText(mid(text, d + 3, 2));
    secondsText.append(u".").append(mid(text, d + 5, 2));
    const auto seconds = parseDecimal(secondsText);
    if (!degrees || !minutes || !seconds)
        return std::nullopt;
    const double value = *degrees + *minutes / 60 + *seconds / 3600;
    const std::u16string_view hemisphere = mid(text, d + 7, 1);
    if (hemisphere.size() == 1 && hemisphere[0] == layout.positive)
        return value;
    if (hemisphere.size() == 1 && hemisphere[0] == layout.negative)
        return -value;
    return std::nullopt;
}

} // namespace

Collection* DMSEnum() {
    return common::withSourcePrefix(u"LoadSettings.DMSEnum; ", [] {
        auto collection = ComPtr<Collection>::attach(createCollection());
        if (!collection)
            throw common::outOfMemory();
        addKeyedText(*collection, u"DECIMAL_DEGREES");
        addKeyedText(*collection, u"DMS");
        return collection.detach();
    });
}

double ValidateGeoCoordinate(std::int32_t coordinateType, std::u16string_view inputValue) {
    const auto value = parseDecimal(inputValue);
    if (!value)
        return 0;
    double bound = 0;
    switch (static_cast<GeoCoordType>(coordinateType)) {
    case GeoCoordType::Latcoordinate:
        bound = 91;
        break;
    case GeoCoordType::LonCoordinate:
        bound = 181;
        break;
    default:
        return *value;
    }
    return (*value > bound || *value < -bound) ? 0 : *value;
}

double DMStoDecimalDegrees(std::int32_t coordinateType, std::u16string_view inputValue) {
    std::optional<double> value;
    switch (static_cast<GeoCoordType>(coordinateType)) {
    case GeoCoordType::Latcoordinate:
        value = dmsValue({2, u'N', u'S'}, inputValue);
        break;
    case GeoCoordType::LonCoordinate:
        value = dmsValue({3, u'E', u'W'}, inputValue);
        break;
    }
    return value.value_or(0);
}

double ConvertImpliedDecimals(std::u16string_view inputValue, std::int16_t impliedDecimals) {
    if (inputValue.empty())
        return 0;
    const auto whole = parseDecimal(inputValue);
    if (impliedDecimals == 0 || !whole || *whole == 0)
        return whole.value_or(0);
    const std::size_t length = inputValue.size();
    if (impliedDecimals > 0 && length < static_cast<std::size_t>(impliedDecimals))
        return 0;
    // A negative count puts the point after the whole text.
    const std::size_t split =
        impliedDecimals > 0 ? length - static_cast<std::size_t>(impliedDecimals) : length;
    std::u16string joined(inputValue.substr(0, split));
    joined.append(u".").append(inputValue.substr(split));
    return parseDecimal(joined).value_or(0);
}

} // namespace qor::geo
