// The registry file's reader: any bytes either parse, and then write out and parse back to
// the same text, or are refused with a reason.
#include <cstdlib>

#include "registry_store.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    qor::registry::Tree tree;
    std::string fault;
    if (!qor::registry::parse(text, tree, fault)) {
        if (fault.empty())
            std::abort();
        return 0;
    }
    const std::string written = qor::registry::serialize(tree);
    qor::registry::Tree again;
    if (!qor::registry::parse(written, again, fault) || qor::registry::serialize(again) != written)
        std::abort();
    return 0;
}
