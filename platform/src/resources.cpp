// Resources embedded in a loaded library as pairs of exported symbols (see runtime.h).
#include <dlfcn.h>

#include <algorithm>

#include "qor/runtime.h"

namespace qor {

namespace {

bool isSymbolPart(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
               c == '_';
    });
}

} // namespace

std::span<const std::byte> findResource(const void* addressInModule, std::string_view type,
                                        std::string_view name) {
    if (!isSymbolPart(type) || !isSymbolPart(name))
        return {};
    Dl_info info{};
    if (::dladdr(addressInModule, &info) == 0 || info.dli_fname == nullptr)
        return {};
    // RTLD_NOLOAD only finds the module already loaded; it never loads a second copy.
    void* module = ::dlopen(info.dli_fname, RTLD_NOW | RTLD_NOLOAD);
    if (module == nullptr)
        return {};
    const std::string stem = std::string(QOR_RESOURCE_SYMBOL_PREFIX) + std::string(type) + "__" +
                             std::string(name) + "__";
    const auto* begin = static_cast<const std::byte*>(::dlsym(module, (stem + "begin").c_str()));
    const auto* end = static_cast<const std::byte*>(::dlsym(module, (stem + "end").c_str()));
    ::dlclose(module); // drops the reference RTLD_NOLOAD took; the module stays loaded
    if (begin == nullptr || end == nullptr || end < begin)
        return {};
    // dlsym also searches the module's dependencies; only the module's own resource counts.
    Dl_info found{};
    if (::dladdr(begin, &found) == 0 || found.dli_fbase != info.dli_fbase)
        return {};
    return {begin, static_cast<std::size_t>(end - begin)};
}

} // namespace qor
