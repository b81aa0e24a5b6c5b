// Fitting the main window to the screen it is on: where the designed height does not fit
// (a small screen, or a large scale factor), the instructions list gives up the difference.
#include "window/frm_main.h"

#include "controls/twips_layout.h"
#include "instructions/instructions_list.h"

#include <QGroupBox>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <QWindow>

#include <algorithm>

namespace {

// About four lines of the list stay visible however small the screen.
constexpr int kSmallestListHeight = 64;

const int kDesignedClientHeight = layout::twips(9795);
const int kDesignedBlendingHeight = layout::twips(6675);
const int kDesignedListHeight = layout::twips(4140);

// The window manager's title bar and borders, once it has framed the window; before that,
// an estimate from the style.
int frameHeight(const QWidget& window) {
    if (const QWindow* handle = window.windowHandle()) {
        const QMargins margins = handle->frameMargins();
        if (!margins.isNull())
            return margins.top() + margins.bottom();
        if (handle->isExposed())
            return 0; // shown without a frame (no window manager)
    }
    const QStyle* style = window.style();
    return style->pixelMetric(QStyle::PM_TitleBarHeight) +
           2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth);
}

} // namespace

void frmMain::FitToScreen(const QRect& availableGeometry) {
    const int menu = menuBar()->sizeHint().height();
    const int frame = frameHeight(*this);
    const int missing = kDesignedClientHeight + menu + frame - availableGeometry.height();
    const int cut = std::clamp(missing, 0, kDesignedListHeight - kSmallestListHeight);
    client_->setFixedHeight(kDesignedClientHeight - cut);
    blendingGroup_->resize(blendingGroup_->width(), kDesignedBlendingHeight - cut);
    lstBlendingInstructions->resize(lstBlendingInstructions->width(), kDesignedListHeight - cut);
    setFixedSize(client_->width(), client_->height() + menu);

    // The frame's top left, moved only as far as needed to bring the whole frame inside.
    const QRect framed = frameGeometry();
    const int right = availableGeometry.right() - framed.width() + 1;
    const int bottom = availableGeometry.bottom() - (height() + frame) + 1;
    const QPoint inside(std::max(availableGeometry.left(), std::min(framed.left(), right)),
                        std::max(availableGeometry.top(), std::min(framed.top(), bottom)));
    if (inside != framed.topLeft())
        move(inside);
}

void frmMain::fitToCurrentScreen() {
    if (const QScreen* current = screen())
        FitToScreen(current->availableGeometry());
}
