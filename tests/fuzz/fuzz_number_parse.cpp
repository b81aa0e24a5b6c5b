// The calculator's number reader: any text either reads as a number, which then writes
// and reads back to the same value, or fails with its classic error; nothing else.
#include <cmath>
#include <cstdlib>
#include <string_view>

#include "engine/number_rules.h"
#include "engine/runtime_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const quillan::NumberLocale& locale :
         {quillan::NumberLocale::classic(), quillan::NumberLocale{",", "."}}) {
        double value = 0;
        try {
            value = quillan::parseNumber(text, locale);
        } catch (const quillan::RuntimeError& err) {
            if (err.number != 13 && err.number != 6)
                std::abort();
            continue;
        }
        if (!std::isfinite(value))
            std::abort(); // a finite text never reads as infinity or NaN
        if (quillan::parseNumber(quillan::formatNumber(value, locale), locale) != value)
            std::abort();
        try {
            quillan::parseInt16(text, locale);
        } catch (const quillan::RuntimeError& err) {
            if (err.number != 6)
                std::abort();
        }
    }
    return 0;
}
