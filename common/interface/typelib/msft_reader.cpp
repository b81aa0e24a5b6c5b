#include "msft_reader.h"

#include <cstring>

namespace qor::typelib {
namespace {

constexpr std::uint32_t kMagic = 0x5446534D; // "MSFT"
constexpr std::size_t kHeaderSize = 0x54;
constexpr std::size_t kParamInfoSize = 12;

enum Segment {
    SEG_TYPEINFO = 0,
    SEG_GUID = 5,
    SEG_NAME = 7,
    SEG_TYPEDESC = 9,
    SEG_CUSTDATA = 11,
    SEG_COUNT = 15,
};

class Cursor {
  public:
    explicit Cursor(std::span<const std::byte> bytes) : bytes_(bytes) {}

    std::int32_t i32(std::size_t at) const { return read<std::int32_t>(at); }
    std::uint16_t u16(std::size_t at) const { return read<std::uint16_t>(at); }
    std::int16_t i16(std::size_t at) const { return read<std::int16_t>(at); }
    std::string text(std::size_t at, std::size_t length) const {
        check(at, length);
        return std::string(reinterpret_cast<const char*>(bytes_.data() + at), length);
    }
    GUID guid(std::size_t at) const { return read<GUID>(at); }

  private:
    template <class T> T read(std::size_t at) const {
        check(at, sizeof(T));
        T value;
        std::memcpy(&value, bytes_.data() + at,
                    sizeof(T)); // the file is little-endian, as is the host
        return value;
    }
    void check(std::size_t at, std::size_t length) const {
        if (at > bytes_.size() || length > bytes_.size() - at)
            throw FormatError("type library truncated");
    }
    std::span<const std::byte> bytes_;
};

struct Segments {
    std::size_t offset[SEG_COUNT] = {};
};

class Reader {
  public:
    explicit Reader(std::span<const std::byte> bytes) : in_(bytes) {}

    Library read() {
        if (static_cast<std::uint32_t>(in_.i32(0)) != kMagic)
            throw FormatError("not an MSFT type library");
        Library lib;
        const std::int32_t libGuid = in_.i32(8);
        lib.lcid = static_cast<LCID>(in_.i32(12));
        const std::int32_t varFlags = in_.i32(20);
        lib.sysKind = varFlags & 0xf;
        const std::int32_t version = in_.i32(24);
        lib.majorVersion = static_cast<std::uint16_t>(version & 0xffff);
        lib.minorVersion = static_cast<std::uint16_t>((version >> 16) & 0xffff);
        const std::int32_t typeInfoCount = in_.i32(32);
        const std::int32_t libName = in_.i32(56);
        if (typeInfoCount < 0 || typeInfoCount > 0x10000)
            throw FormatError("implausible type info count");

        std::size_t at = kHeaderSize + ((varFlags & 0x100) ? 4 : 0);
        const std::size_t typeInfoOffsets = at;
        at += static_cast<std::size_t>(typeInfoCount) * 4;
        for (int s = 0; s < SEG_COUNT; ++s)
            seg_.offset[s] =
                static_cast<std::size_t>(in_.i32(at + static_cast<std::size_t>(s) * 16));

        lib.libid = guidAt(libGuid);
        lib.name = nameAt(libName);
        for (std::int32_t i = 0; i < typeInfoCount; ++i) {
            const auto entry = static_cast<std::size_t>(
                in_.i32(typeInfoOffsets + static_cast<std::size_t>(i) * 4));
            lib.typeInfos.push_back(typeInfo(seg_.offset[SEG_TYPEINFO] + entry));
        }
        return lib;
    }

  private:
    GUID guidAt(std::int32_t offset) const {
        if (offset < 0)
            return GUID{};
        return in_.guid(seg_.offset[SEG_GUID] + static_cast<std::size_t>(offset));
    }

    std::string nameAt(std::int32_t offset) const {
        if (offset < 0)
            return {};
        const std::size_t at = seg_.offset[SEG_NAME] + static_cast<std::size_t>(offset);
        return in_.text(at + 12, static_cast<std::size_t>(in_.i32(at + 8) & 0xff));
    }

    // The type an encoded reference names: built in (negative), or a type description.
    VARTYPE typeAt(std::int32_t encoded) const {
        if (encoded < 0)
            return static_cast<VARTYPE>(encoded & VT_TYPEMASK);
        const std::size_t at = seg_.offset[SEG_TYPEDESC] + static_cast<std::size_t>(encoded);
        return static_cast<VARTYPE>(in_.u16(at) & VT_TYPEMASK);
    }

    // Only one level of a pointer is read: a chain of descriptions, which a damaged file
    // may make a loop, is never followed further.
    TypeRef typeRef(std::int32_t encoded) const {
        TypeRef ref;
        ref.vt = typeAt(encoded);
        if (ref.vt == VT_PTR && encoded >= 0) {
            const std::size_t at = seg_.offset[SEG_TYPEDESC] + static_cast<std::size_t>(encoded);
            ref.pointee = typeAt(in_.i32(at + 4));
        }
        return ref;
    }

    // A value stored in a 32-bit slot: packed into it, or in the custom-data segment.
    DefaultValue valueAt(std::size_t slot) const {
        DefaultValue value;
        value.present = true;
        value.slotOffset = slot;
        const std::int32_t encoded = in_.i32(slot);
        if (encoded < 0) {
            value.inlineValue = true;
            value.vt = static_cast<VARTYPE>((encoded & 0x7c000000) >> 26);
            std::int32_t number = encoded & 0x3ffffff;
            if (value.vt == VT_BOOL || value.vt == VT_I2)
                number = static_cast<std::int16_t>(number & 0xffff); // stored as 16 bits
            else if (number & 0x2000000)
                number |= ~0x3ffffff; // sign-extend the 26-bit field
            value.number = number;
            return value;
        }
        const std::size_t at = seg_.offset[SEG_CUSTDATA] + static_cast<std::size_t>(encoded);
        value.record = encoded;
        value.vt = in_.u16(at);
        if (value.vt == VT_BSTR)
            value.text = in_.text(at + 6, static_cast<std::size_t>(in_.i32(at + 2)));
        else
            value.number = in_.i32(at + 2);
        return value;
    }

    Function function(std::size_t record, std::size_t idsAt, std::size_t namesAt, int index) const {
        Function fn;
        const std::size_t length = static_cast<std::size_t>(in_.i32(record) & 0xffff);
        fn.result = typeRef(in_.i32(record + 4));
        fn.vtableSlot = (in_.i16(record + 12) & ~1) / 4; // win32 tables count 4-byte entries
        const std::int32_t kinds = in_.i32(record + 16);
        fn.invokeKind = (kinds >> 3) & 0xf;
        const int argCount = in_.i16(record + 20);
        fn.optionalCount = in_.i16(record + 22);
        fn.memid = in_.i32(idsAt + static_cast<std::size_t>(index) * 4);
        fn.name = nameAt(in_.i32(namesAt + static_cast<std::size_t>(index) * 4));
        if (argCount < 0 || static_cast<std::size_t>(argCount) * (kParamInfoSize + 4) > length)
            throw FormatError("bad parameter count");
        const std::size_t params =
            record + length - static_cast<std::size_t>(argCount) * kParamInfoSize;
        const bool hasDefaults = (kinds & 0x1000) != 0;
        const std::size_t defaults = params - static_cast<std::size_t>(argCount) * 4;
        for (int p = 0; p < argCount; ++p) {
            const std::size_t info = params + static_cast<std::size_t>(p) * kParamInfoSize;
            Param param;
            param.type = typeRef(in_.i32(info));
            param.name = nameAt(in_.i32(info + 4));
            param.flags = in_.i32(info + 8);
            if (hasDefaults && (param.flags & PARAMFLAG_FHASDEFAULT))
                param.defaultValue = valueAt(defaults + static_cast<std::size_t>(p) * 4);
            fn.params.push_back(std::move(param));
        }
        return fn;
    }

    TypeInfo typeInfo(std::size_t at) const {
        TypeInfo info;
        info.kind = static_cast<TypeKind>(in_.i32(at) & 0xf);
        const auto memOffset = static_cast<std::size_t>(in_.i32(at + 4));
        const std::int32_t elements = in_.i32(at + 0x18);
        info.guid = guidAt(in_.i32(at + 0x2c));
        info.flagsOffset = at + 0x30;
        info.flags = in_.i32(at + 0x30);
        info.name = nameAt(in_.i32(at + 0x34));
        const std::int32_t version = in_.i32(at + 0x38);
        info.majorVersion = static_cast<std::uint16_t>(version & 0xffff);
        info.minorVersion = static_cast<std::uint16_t>((version >> 16) & 0xffff);

        const int funcCount = elements & 0xffff;
        const int varCount = (elements >> 16) & 0xffff;
        if (funcCount == 0 && varCount == 0)
            return info;
        const auto recordsLength = static_cast<std::size_t>(in_.i32(memOffset));
        const std::size_t idsAt = memOffset + 4 + recordsLength;
        const std::size_t namesAt = idsAt + static_cast<std::size_t>(funcCount + varCount) * 4;
        std::size_t record = memOffset + 4;
        for (int f = 0; f < funcCount; ++f) {
            info.functions.push_back(function(record, idsAt, namesAt, f));
            record += static_cast<std::size_t>(in_.i32(record) & 0xffff);
        }
        // Variable records follow the functions: type, flags, kind, then the value.
        for (int v = 0; v < varCount; ++v) {
            const auto index = static_cast<std::size_t>(funcCount + v);
            Constant constant;
            constant.type = typeRef(in_.i32(record + 4));
            constant.value = valueAt(record + 16).number;
            constant.memid = in_.i32(idsAt + index * 4);
            constant.name = nameAt(in_.i32(namesAt + index * 4));
            info.constants.push_back(std::move(constant));
            record += static_cast<std::size_t>(in_.i32(record) & 0xffff);
        }
        return info;
    }

    Cursor in_;
    Segments seg_;
};

} // namespace

const TypeInfo* Library::find(std::string_view typeName) const {
    for (const TypeInfo& info : typeInfos)
        if (info.name == typeName)
            return &info;
    return nullptr;
}

Library readLibrary(std::span<const std::byte> bytes) {
    return Reader(bytes).read();
}

} // namespace qor::typelib
