// The operations of the library class Common, as plain C++. Each applies its own failure
// pattern (re-raise with its source prefix, show and swallow, or pass through) and
// throws qor::AutomationError for whatever reaches the caller.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "qor/com_interfaces.h"
#include "qor_file.h"

namespace qor::common {

enum class PadEnd : std::int32_t { PAD_ON_LEFT = 0, PAD_ON_RIGHT = 1 };

// String utilities.
std::u16string EmptyStringToZero(std::u16string_view stringIn);
std::u16string NulltoString(const VARIANT& varIn);
std::u16string RemoveSpaces(std::u16string_view stringIn, std::int16_t spaceCounter);
std::u16string PadString(std::u16string_view stringIn, std::int16_t stringLen,
                         std::u16string_view padChar, std::int32_t padDir, bool bTrunkIfLonger);
std::u16string StripTerminator(std::u16string_view strString);

// Error display and label helpers. The label is reached late-bound through IDispatch.
void ShowError(std::u16string_view module, std::u16string_view procedure, ErrObject* theVBError,
               std::u16string_view errorCondition);
void ResetLabel(IDispatch* labelCtl, std::u16string_view inputValue);
void UpdateLabel(IDispatch* labelCtl, std::u16string_view message);

// File and document helpers.
QorFile GetFileInfo(std::u16string_view filePath, bool failInvalidPaths);
std::u16string StartDoc(std::u16string_view docName, bool displayError);
bool FileOrDirExists(std::u16string_view sFile, std::u16string_view sFolder);
std::int32_t FindTextFileLength(std::u16string_view filePath);

// The About dialog, modal, one per call.
void ShowAppVersion(std::u16string_view appName, std::u16string_view appVersion);

} // namespace qor::common
