#include "qor_file.h"

#include "runtime_errors.h"

namespace qor {
namespace {

using common::raiseRuntime;

constexpr std::u16string_view kInvalidFileNameSource = u"QorCommon1.QorFile.SetFileName";
constexpr std::size_t kShortestPath = 8;

// Either separator splits a path; "/" is this platform's own.
constexpr std::u16string_view kSeparators = u"/\\";

[[noreturn]] void raiseInvalidFileName() {
    throw AutomationError(kErrApplication, std::u16string(kInvalidFileNameSource),
                          u"Invalid File Name");
}

// Re-raises a failure with the operation named in front of its source and the path in
// front of its description.
template <typename Body>
auto reRaiseWithPath(std::u16string_view operation, std::u16string_view path, Body&& body)
    -> decltype(body()) {
    auto reRaise = [&](const AutomationError& err) {
        std::u16string source = u"QorFile.";
        source.append(operation).append(u"; ").append(err.source);
        std::u16string description = u"Path=";
        description.append(path).append(u"; Error Desc=").append(err.description);
        return AutomationError(err.number, std::move(source), std::move(description));
    };
    try {
        return body();
    } catch (const AutomationError& err) {
        throw reRaise(err);
    } catch (const std::bad_alloc&) {
        throw reRaise(common::outOfMemory());
    }
}

} // namespace

void QorFile::SetFileName(std::u16string_view fullFilePath, bool failInvalidPaths) {
    reRaiseWithPath(u"SetFileName", fullFilePath, [&] {
        if (fullFilePath.size() < kShortestPath) {
            if (failInvalidPaths)
                raiseInvalidFileName();
            return;
        }
        common::toInteger16(fullFilePath.size());
        const std::size_t lastDot = fullFilePath.rfind(u'.');
        const std::size_t lastSeparator = fullFilePath.find_last_of(kSeparators);
        if (failInvalidPaths &&
            (lastDot == std::u16string_view::npos || lastSeparator == std::u16string_view::npos))
            raiseInvalidFileName();

        // A failed call changes nothing: every part is checked before any is stored.
        if (lastSeparator == std::u16string_view::npos)
            raiseRuntime(kErrInvalidProcedureCall);
        fullPath_ = fullFilePath;
        folder_ = fullFilePath.substr(0, lastSeparator);
        separator_ = fullFilePath.find(u'/') == std::u16string_view::npos ? u'\\' : u'/';

        // The extension belongs to the file-name part only; a dot in a folder is none.
        const std::u16string_view name = fullFilePath.substr(lastSeparator + 1);
        const std::size_t nameDot = name.rfind(u'.');
        hasExtensionDot_ = nameDot != std::u16string_view::npos;
        baseName_ = name.substr(0, nameDot);
        extension_ = hasExtensionDot_ ? name.substr(nameDot + 1) : std::u16string_view();
    });
}

std::u16string QorFile::GetFileInfo(std::int32_t infoType, bool withTrailingSlash) const {
    return reRaiseWithPath(u"GetFileInfo", fullPath_, [&]() -> std::u16string {
        switch (static_cast<InfoType>(infoType)) {
        case InfoType::FileNameWOext:
            return baseName_;
        case InfoType::FileNameWExt:
            return hasExtensionDot_ ? baseName_ + u'.' + extension_ : baseName_;
        case InfoType::FilePath:
            return withTrailingSlash ? folder_ + separator_ : folder_;
        case InfoType::FullFilePath:
            return fullPath_;
        case InfoType::FileExt:
            return extension_;
        }
        return {};
    });
}

} // namespace qor
