#include "fill_log/fill_checks.h"

#include "fill_log/fill_store.h"
#include "fill_log/fill_time.h"

#include <cmath>
#include <string>

namespace quillan::filllog {

namespace {

void text(std::string_view field, const std::string& value, bool required) {
    if (!isUtf8(value))
        throw BadFill(std::string(field) + " is not valid UTF-8 text");
    if (required && value.empty())
        throw BadFill(std::string(field) + " is required");
}

void pastTime(std::string_view field, const std::string& value, std::string_view now) {
    if (!isTimestamp(value))
        throw BadFill(std::string(field) + " " + value + ": a time is YYYY-MM-DDTHH:MM:SSZ");
    if (value > now)
        throw BadFill(std::string(field) + " " + value + " is in the future");
}

void pastDate(std::string_view field, const std::string& value, std::string_view now) {
    if (value.empty())
        return;
    if (!isDate(value))
        throw BadFill(std::string(field) + " " + value + ": a date is YYYY-MM-DD");
    if (value > now.substr(0, 10))
        throw BadFill(std::string(field) + " " + value + " is in the future");
}

void mix(std::string_view which, const LoggedMix& m) {
    if (m.pressure < 0 || m.o2 < 0 || m.he < 0 || m.o2 + m.he > 100)
        throw BadFill(std::string(which) + " mix: O2 and He are 0 or more and add up to 100 at "
                                           "most, the pressure 0 or more");
}

} // namespace

void checkFill(const FillRecord& fill, std::string_view now) {
    pastTime("the fill's time", fill.time, now);
    text("the blender's name", fill.blender, false);
    text("the customer", fill.customer, true);
    text("the cylinder's serial number", fill.cylinder.serial, true);
    pastDate("the last hydrostatic test", fill.cylinder.lastHydroTest, now);
    pastDate("the last visual inspection", fill.cylinder.lastVisualInspection, now);
    mix("the starting", fill.start);
    mix("the required", fill.required);
    for (const std::string& line : fill.plan.reportLines)
        text("the report", line, false);
    text("the currency", fill.plan.currency, false);
    text("the notes", fill.notes, false);
    if (fill.analysis)
        checkAnalysis(*fill.analysis, now);
}

void checkAnalysis(const Analysis& analysis, std::string_view now) {
    const bool inRange = std::isfinite(analysis.o2) && std::isfinite(analysis.he) &&
                         analysis.o2 > 0.0 && analysis.he >= 0.0 &&
                         analysis.o2 + analysis.he <= 100.0;
    if (!inRange)
        throw BadFill("analysed O2 and He: O2 above 0, He 0 or more, together 100 at most");
    text("the analyst's name", analysis.analyst, true);
    pastTime("the analysis time", analysis.time, now);
}

bool isUtf8(std::string_view text) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size();
    for (std::size_t i = 0; i < size;) {
        const unsigned char lead = bytes[i];
        std::size_t length = 0;
        char32_t code = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2;
            code = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            code = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            code = lead & 0x07;
        } else {
            return false;
        }
        if (i + length > size)
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((bytes[i + k] & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (bytes[i + k] & 0x3F);
        }
        static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < kLeast[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

} // namespace quillan::filllog
