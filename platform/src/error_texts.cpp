// The classic texts of the run-time error numbers, as UTF-16 for the error objects.
#include <map>

#include "qor/runtime.h"

namespace qor {

std::u16string_view standardDescription(std::int32_t number) {
    static const auto texts = [] {
        std::map<std::int32_t, std::u16string> wide;
        for (const ClassicError& e : kClassicErrors)
            wide.emplace(e.number, fromUtf8(e.text));
        wide.emplace(0, fromUtf8(kApplicationDefinedText)); // stands for every other number
        return wide;
    }();
    const auto found = texts.find(number);
    return found != texts.end() ? found->second : texts.at(0);
}

} // namespace qor
