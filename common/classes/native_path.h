// Client paths to this platform's file system: either separator splits a path, and
// text travels to the file system as UTF-8.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace qor::common {

constexpr std::u16string_view kPathSeparators = u"/\\";

// The path with every "\" read as "/"; none when it holds a NUL, which no file name can.
std::optional<std::filesystem::path> toNativePath(std::u16string_view clientPath);

} // namespace qor::common
