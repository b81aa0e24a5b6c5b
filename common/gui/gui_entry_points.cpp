// The windowing entry points of QorCommon1Gui.so: Qt inside, plain values outside.
#include "gui_entry_points.h"

#include <QString>

#include <algorithm>
#include <new>
#include <string_view>

#include "frm_about.h"
#include "gui_application.h"
#include "qor/runtime.h"
#include "runtime_errors.h"

namespace {

QString toQString(QorGuiText text) {
    return QString::fromUtf16(text.data, static_cast<qsizetype>(text.length));
}

void fill(QorGuiFailure* failure, std::int32_t number, std::u16string_view description) {
    failure->number = number;
    const std::size_t kept = std::min(description.size(), std::size(failure->description));
    std::copy_n(description.begin(), kept, failure->description);
    failure->descriptionLength = static_cast<std::uint32_t>(kept);
}

// Runs body, turning whatever it throws into *failure.
template <typename Body> int guarded(QorGuiFailure* failure, Body&& body) noexcept {
    try {
        body();
        return 0;
    } catch (const qor::AutomationError& err) {
        fill(failure, err.number, err.description);
    } catch (const std::bad_alloc&) {
        fill(failure, qor::kErrOutOfMemory, qor::standardDescription(qor::kErrOutOfMemory));
    } catch (...) {
        fill(failure, qor::kErrInvalidProcedureCall, u"The window could not be shown");
    }
    return 1;
}

} // namespace

extern "C" int qor_gui_show_message(QorGuiText objectName, QorGuiText title, QorGuiText text,
                                    QorGuiFailure* failure) {
    return guarded(failure, [&] {
        qor::common::showMessageBox(toQString(objectName), toQString(title), toQString(text));
    });
}

extern "C" int qor_gui_show_about(QorGuiText appName, QorGuiText appVersion,
                                  QorGuiFailure* failure) {
    return guarded(failure, [&] {
        qor::common::ensureGuiApplication();
        qor::about::frmAbout dialog;
        dialog.showApplication(toQString(appName), toQString(appVersion));
        dialog.setWindowModality(Qt::ApplicationModal);
        dialog.exec();
    });
}
