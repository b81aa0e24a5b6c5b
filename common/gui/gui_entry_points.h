// The C surface of QorCommon1Gui.so, the part of the library that shows windows. The
// library reaches it at run time (see gui_loader.h), so nothing of Qt is loaded until a
// window is first asked for. Failures come back as values: no exception crosses over.
#pragma once

#include <cstddef>
#include <cstdint>

extern "C" {

// UTF-16 text with its length; it may hold NULs and need not be terminated.
struct QorGuiText {
    const char16_t* data;
    std::size_t length;
};

// What went wrong: a run-time error number and its description, truncated to fit.
struct QorGuiFailure {
    std::int32_t number;
    std::uint32_t descriptionLength;
    char16_t description[512];
};

// Both return 0 once the window has been shown and closed; otherwise non-zero, with
// *failure filled in.

// A modal box with an OK button only and no icon, its text shown as plain text.
int qor_gui_show_message(QorGuiText objectName, QorGuiText title, QorGuiText text,
                         QorGuiFailure* failure);

// The library's About dialog, modal, speaking for the calling application.
int qor_gui_show_about(QorGuiText appName, QorGuiText appVersion, QorGuiFailure* failure);

using QorGuiShowMessage = decltype(&qor_gui_show_message);
using QorGuiShowAbout = decltype(&qor_gui_show_about);
}
