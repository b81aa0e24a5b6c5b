// Fitting the main window to the screen it is on: where the designed height does not fit
// (a small screen, or a large scale factor), the instructions list gives up the difference.
// The user may make the window larger, or smaller down to that least list; the list takes
// or gives up the room.
#include "window/frm_main.h"

#include "controls/clickable_label.h"
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

const QSize kDesignedClient(layout::twips(7305), layout::twips(9795));
const int kDesignedClientHeight = kDesignedClient.height();
const int kDesignedGroupWidth = layout::twips(7155);
const int kDesignedBlendingHeight = layout::twips(6675);
const QSize kDesignedList(layout::twips(6975), layout::twips(4140));
const int kDesignedListHeight = kDesignedList.height();

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
    setMinimumSize(kDesignedClient.width(),
                   kDesignedClientHeight - (kDesignedListHeight - kSmallestListHeight) + menu);
    const QSize client(std::max(kDesignedClient.width(), client_->width()),
                       kDesignedClientHeight - cut);
    layOutClient(client);
    resize(client.width(), client.height() + menu);

    // The frame's top left, moved only as far as needed to bring the whole frame inside.
    const QRect framed = frameGeometry();
    const int right = availableGeometry.right() - framed.width() + 1;
    const int bottom = availableGeometry.bottom() - (height() + frame) + 1;
    const QPoint inside(std::max(availableGeometry.left(), std::min(framed.left(), right)),
                        std::max(availableGeometry.top(), std::min(framed.top(), bottom)));
    if (inside != framed.topLeft())
        move(inside);
}

void frmMain::layOutClient(const QSize& clientSize) {
    const QSize extra = clientSize - kDesignedClient;
    const int groupWidth = kDesignedGroupWidth + extra.width();
    for (QGroupBox* group : client_->findChildren<QGroupBox*>(Qt::FindDirectChildrenOnly))
        group->resize(groupWidth, group->height());
    blendingGroup_->resize(groupWidth, kDesignedBlendingHeight + extra.height());
    lstBlendingInstructions->resize(kDesignedList + extra);
    // The links end where the list ends, as designed, with their gap kept.
    const int gap = cmdlblSave->x() - (cmdPrint->x() + cmdPrint->width());
    cmdlblSave->move(lstBlendingInstructions->geometry().right() + 1 - cmdlblSave->width(),
                     cmdlblSave->y());
    cmdPrint->move(cmdlblSave->x() - gap - cmdPrint->width(), cmdPrint->y());
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && event->type() == QEvent::Resize)
        layOutClient(client_->size());
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::fitToCurrentScreen() {
    if (const QScreen* current = screen())
        FitToScreen(current->availableGeometry());
}
