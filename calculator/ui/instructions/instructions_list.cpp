#include "instructions/instructions_list.h"

#include "controls/twips_layout.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QShortcut>

#include <algorithm>

namespace {

// One line per list entry, as a text editor expects them.
void copyLines(const QStringList& lines) {
    QGuiApplication::clipboard()->setText(lines.join(QLatin1Char('\n')));
}

const QString kOutOfDateNotice =
    QStringLiteral("This plan no longer matches the fields: calculate again for a current plan.");

} // namespace

InstructionsList::InstructionsList(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSortingEnabled(false);

    copyAction = new QAction(QStringLiteral("&Copy"), this);
    copyAction->setObjectName(QStringLiteral("copyAction"));
    copyAction->setShortcut(QKeySequence::Copy);
    // Ctrl+C and Ctrl+A reach the list from anywhere in the window; a field with the focus
    // keeps them for its own text (a line edit claims them before shortcuts are matched).
    copyAction->setShortcutContext(Qt::WindowShortcut);
    copyAction->setEnabled(false);
    copyAllAction = new QAction(QStringLiteral("Copy &All"), this);
    copyAllAction->setObjectName(QStringLiteral("copyAllAction"));
    new QShortcut(QKeySequence::SelectAll, this, this, &QListWidget::selectAll, Qt::WindowShortcut);
    addAction(copyAction);
    addAction(copyAllAction);
    setContextMenuPolicy(Qt::ActionsContextMenu);

    connect(copyAction, &QAction::triggered, this, [this] { copyLines(selectedLines()); });
    connect(copyAllAction, &QAction::triggered, this, [this] { copyLines(allLines()); });
    connect(this, &QListWidget::itemSelectionChanged, this,
            [this] { copyAction->setEnabled(!selectedItems().isEmpty()); });

    // Inside the list's frame, above its lines, so it moves and stretches with the list.
    staleBanner_ =
        new QLabel(QStringLiteral("The fields have changed since this plan was made"), this);
    staleBanner_->setObjectName(QStringLiteral("lblStalePlan"));
    staleBanner_->setFont(layout::defaultFont());
    staleBanner_->setAutoFillBackground(true);
    staleBanner_->setBackgroundRole(QPalette::ToolTipBase);
    staleBanner_->setForegroundRole(QPalette::ToolTipText);
    staleBanner_->setContentsMargins(4, 2, 4, 2);
    staleBanner_->hide();
}

void InstructionsList::setOutOfDate(bool outOfDate) {
    if (outOfDate == isOutOfDate())
        return;
    const int bannerHeight = outOfDate ? staleBanner_->sizeHint().height() : 0;
    setViewportMargins(0, bannerHeight, 0, 0);
    staleBanner_->setVisible(outOfDate);
}

bool InstructionsList::isOutOfDate() const {
    return !staleBanner_->isHidden();
}

QStringList InstructionsList::outputLines() const {
    if (!isOutOfDate())
        return allLines();
    return QStringList{kOutOfDateNotice, QString()} + allLines();
}

void InstructionsList::resizeEvent(QResizeEvent* event) {
    QListWidget::resizeEvent(event);
    const QRect inside = contentsRect();
    staleBanner_->setGeometry(inside.left(), inside.top(), inside.width(),
                              staleBanner_->sizeHint().height());
}

QStringList InstructionsList::selectedLines() const {
    QList<int> rows;
    for (const QListWidgetItem* item : selectedItems())
        rows.append(row(item));
    std::sort(rows.begin(), rows.end());
    QStringList lines;
    for (const int selected : rows)
        lines.append(item(selected)->text());
    return lines;
}

QStringList InstructionsList::allLines() const {
    QStringList lines;
    for (int i = 0; i < count(); ++i)
        lines.append(item(i)->text());
    return lines;
}

bool InstructionsList::event(QEvent* event) {
    const bool handled = QListWidget::event(event);
    if (event->type() == QEvent::Paint && hasFocus())
        paintFocusFrame();
    return handled;
}

// Drawn over the list's own frame, so the look without the focus stays the style's.
void InstructionsList::paintFocusFrame() {
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 1));
    const int rings = std::max(1, frameWidth());
    for (int ring = 0; ring < rings; ++ring)
        painter.drawRect(rect().adjusted(ring, ring, -1 - ring, -1 - ring));
}
