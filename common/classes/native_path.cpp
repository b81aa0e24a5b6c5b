#include "native_path.h"

#include <string>

#include "qor/runtime.h"

namespace qor::common {

std::optional<std::filesystem::path> toNativePath(std::u16string_view clientPath) {
    if (clientPath.find(u'\0') != std::u16string_view::npos)
        return std::nullopt;
    std::string utf8 = toUtf8(clientPath);
    for (char& c : utf8)
        if (c == '\\')
            c = '/';
    return std::filesystem::path(std::move(utf8));
}

} // namespace qor::common
