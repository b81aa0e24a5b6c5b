#include "typelib_patch.h"

#include <cstdint>
#include <cstring>
#include <optional>

#include "msft_reader.h"

namespace qor::typelib {
namespace {

void writeInt(std::vector<std::byte>& bytes, std::size_t at, std::int32_t value) {
    std::memcpy(bytes.data() + at, &value, sizeof value);
}

std::optional<std::int32_t> emptyStringRecord(const Library& lib) {
    for (const TypeInfo& info : lib.typeInfos)
        for (const Function& fn : info.functions)
            for (const Param& p : fn.params)
                if (p.defaultValue.present && !p.defaultValue.inlineValue &&
                    p.defaultValue.vt == VT_BSTR && p.defaultValue.text.empty())
                    return p.defaultValue.record;
    return std::nullopt;
}

} // namespace

std::vector<std::byte> patchTypeLibrary(std::span<const std::byte> widlOutput,
                                        std::span<const std::string_view> predeclaredClasses) {
    const Library lib = readLibrary(widlOutput);
    std::vector<std::byte> out(widlOutput.begin(), widlOutput.end());

    for (std::string_view name : predeclaredClasses) {
        const TypeInfo* info = lib.find(name);
        if (info == nullptr || info->kind != TKIND_COCLASS)
            throw FormatError("no class " + std::string(name) + " in the type library");
        writeInt(out, info->flagsOffset, info->flags | TYPEFLAG_FPREDECLID);
    }

    const std::optional<std::int32_t> emptyText = emptyStringRecord(lib);
    for (const TypeInfo& info : lib.typeInfos)
        for (const Function& fn : info.functions)
            for (const Param& p : fn.params) {
                const DefaultValue& d = p.defaultValue;
                if (!d.present || !d.inlineValue || d.vt != VT_BSTR)
                    continue;
                if (d.number != 0 || !emptyText)
                    throw FormatError("cannot give " + fn.name + "." + p.name +
                                      " an empty-text default");
                writeInt(out, d.slotOffset, *emptyText);
            }
    return out;
}

} // namespace qor::typelib
