#include "dispatch_args.h"

namespace qor::detail {

namespace {

char16_t fold(char16_t c) {
    // ASCII and Latin-1 letters; enough for the member names and keys automation uses.
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return static_cast<char16_t>(c + 32);
    return c;
}

} // namespace

bool equalsIgnoreCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (fold(a[i]) != fold(b[i]))
            return false;
    return true;
}

bool isMissing(const VARIANT* arg) {
    if (arg == nullptr)
        return true;
    const VARIANT* v = arg;
    if (v->vt == (VT_VARIANT | VT_BYREF) && v->pvarVal != nullptr)
        v = v->pvarVal;
    return v->vt == VT_ERROR && v->scode == DISP_E_PARAMNOTFOUND;
}

} // namespace qor::detail
