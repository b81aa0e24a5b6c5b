// Common.ShowAppVersion: the About dialog for the calling application, one per call.
#include "common_ops.h"

#include "frm_about.h"
#include "gui_application.h"
#include "runtime_errors.h"

namespace qor::common {

void ShowAppVersion(std::u16string_view appName, std::u16string_view appVersion) {
    withSourcePrefix(u"QorCommon1.Common.ShowAppVersion; ", [&] {
        ensureGuiApplication();
        about::frmAbout dialog;
        dialog.showApplication(
            QString::fromUtf16(appName.data(), static_cast<qsizetype>(appName.size())),
            QString::fromUtf16(appVersion.data(), static_cast<qsizetype>(appVersion.size())));
        dialog.setWindowModality(Qt::ApplicationModal);
        dialog.exec();
    });
}

} // namespace qor::common
