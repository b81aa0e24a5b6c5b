// Self-registration: the classes, their ProgIDs, their interfaces and the type library,
// written to and removed from the registry's classes root.
#pragma once

#include <cstddef>
#include <span>
#include <string>

#include "qor/com_types.h"

namespace qor::server {

// `modulePath` is the library file's full path; `typeLibrary` the embedded type library,
// from which the library's identity and version are read.
HRESULT registerServer(const std::string& modulePath, std::span<const std::byte> typeLibrary);
// Removes every key registerServer writes; keys already gone are no failure.
HRESULT unregisterServer(std::span<const std::byte> typeLibrary);

} // namespace qor::server
