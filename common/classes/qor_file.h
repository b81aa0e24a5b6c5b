// QorFile: splits one full file path into folder, base name and extension, once, and
// hands the parts out on request. Failures are thrown as qor::AutomationError with the
// operation's own re-raise source and description already applied.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qor {

enum class InfoType : std::int32_t {
    FileNameWOext = 0,
    FileNameWExt = 1,
    FilePath = 2,
    FullFilePath = 3,
    FileExt = 4,
};

class QorFile {
  public:
    void SetFileName(std::u16string_view fullFilePath, bool failInvalidPaths);
    std::u16string GetFileInfo(std::int32_t infoType, bool withTrailingSlash) const;

  private:
    std::u16string fullPath_;
    std::u16string folder_;
    std::u16string baseName_;
    std::u16string extension_;
    // Whether the file-name part had a "." (so "readme" keeps no trailing dot).
    bool hasExtensionDot_ = false;
    // The separator GetFileInfo appends: a backslash for a path that used backslashes only.
    char16_t separator_ = u'/';
};

} // namespace qor
