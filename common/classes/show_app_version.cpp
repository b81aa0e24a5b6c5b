// Common.ShowAppVersion: the About dialog for the calling application, one per call.
#include "common_ops.h"

#include "gui_loader.h"
#include "runtime_errors.h"

namespace qor::common {

void ShowAppVersion(std::u16string_view appName, std::u16string_view appVersion) {
    withSourcePrefix(u"QorCommon1.Common.ShowAppVersion; ",
                     [&] { displayAboutDialog(appName, appVersion); });
}

} // namespace qor::common
