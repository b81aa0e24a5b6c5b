// A reader for the MSFT type-library format, enough to list what the library's own type
// library declares (type infos, functions, parameters, default values) and where the few
// fields that the build patches after widl live in the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "qor/com_types.h"

namespace qor::typelib {

struct FormatError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

enum TypeKind : std::int32_t {
    TKIND_ENUM = 0,
    TKIND_RECORD = 1,
    TKIND_MODULE = 2,
    TKIND_INTERFACE = 3,
    TKIND_DISPATCH = 4,
    TKIND_COCLASS = 5,
    TKIND_ALIAS = 6,
    TKIND_UNION = 7,
};

// Type-library-only VARTYPEs, beyond those a VARIANT can hold.
constexpr VARTYPE VT_PTR = 26;

constexpr std::int32_t TYPEFLAG_FAPPOBJECT = 0x1;
constexpr std::int32_t TYPEFLAG_FCANCREATE = 0x2;
constexpr std::int32_t TYPEFLAG_FPREDECLID = 0x8;
constexpr std::int32_t TYPEFLAG_FHIDDEN = 0x10;
constexpr std::int32_t TYPEFLAG_FDUAL = 0x40;
constexpr std::int32_t TYPEFLAG_FNONEXTENSIBLE = 0x80;
constexpr std::int32_t TYPEFLAG_FOLEAUTOMATION = 0x100;

constexpr std::int32_t PARAMFLAG_FIN = 0x1;
constexpr std::int32_t PARAMFLAG_FOUT = 0x2;
constexpr std::int32_t PARAMFLAG_FRETVAL = 0x8;
constexpr std::int32_t PARAMFLAG_FOPT = 0x10;
constexpr std::int32_t PARAMFLAG_FHASDEFAULT = 0x20;

// A parameter's (or result's) type: its VARTYPE and, for VT_PTR, the type pointed to.
struct TypeRef {
    VARTYPE vt = VT_EMPTY;
    VARTYPE pointee = VT_EMPTY; // set when vt == VT_PTR
};

struct DefaultValue {
    bool present = false;
    bool inlineValue = false; // packed into the 32-bit slot itself
    VARTYPE vt = VT_EMPTY;
    std::int32_t number = 0;    // for numeric values
    std::string text;           // for VT_BSTR values (as stored, 8-bit)
    std::int32_t record = -1;   // offset in the custom-data segment, when not inline
    std::size_t slotOffset = 0; // file offset of the 32-bit slot
};

struct Param {
    std::string name;
    std::int32_t flags = 0;
    TypeRef type;
    DefaultValue defaultValue;
};

struct Function {
    std::string name;
    DISPID memid = 0;
    std::int32_t invokeKind = 0;
    int vtableSlot = 0; // in pointer-sized entries
    TypeRef result;
    std::vector<Param> params; // including a trailing [out, retval] parameter
    int optionalCount = 0;
};

// A named constant of an enumeration.
struct Constant {
    std::string name;
    MEMBERID memid = 0;
    TypeRef type;
    std::int32_t value = 0;
};

struct TypeInfo {
    TypeKind kind = TKIND_ENUM;
    std::string name;
    GUID guid{};
    std::int32_t flags = 0;
    std::size_t flagsOffset = 0; // file offset of the type flags
    std::uint16_t majorVersion = 0;
    std::uint16_t minorVersion = 0;
    std::vector<Function> functions;
    std::vector<Constant> constants;
};

struct Library {
    std::string name;
    GUID libid{};
    LCID lcid = 0;
    int sysKind = 0; // 0 = Win16, 1 = Win32, 3 = Win64
    std::uint16_t majorVersion = 0;
    std::uint16_t minorVersion = 0;
    std::vector<TypeInfo> typeInfos;

    const TypeInfo* find(std::string_view typeName) const;
};

// Parses an MSFT type library; throws FormatError when the bytes are not one.
Library readLibrary(std::span<const std::byte> bytes);

} // namespace qor::typelib
