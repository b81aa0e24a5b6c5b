// What widl 7 cannot express, added to its MSFT output after it runs:
// - the predeclared-id type flag of the application-object classes (widl rejects predeclid);
// - the empty-text default of optional by-reference String parameters (widl refuses a string
//   default on a pointer, so the IDL gives 0 there, which it stores as an inline VT_BSTR 0;
//   the patch points those slots at the "" record that a by-value String default created).
#pragma once

#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

namespace qor::typelib {

// Returns the patched copy; throws FormatError when the input lacks what the patch needs.
std::vector<std::byte> patchTypeLibrary(std::span<const std::byte> widlOutput,
                                        std::span<const std::string_view> predeclaredClasses);

} // namespace qor::typelib
