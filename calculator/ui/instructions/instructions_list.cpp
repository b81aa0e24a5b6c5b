#include "instructions/instructions_list.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QPainter>

#include <algorithm>

namespace {

// One line per list entry, as a text editor expects them.
void copyLines(const QStringList& lines) {
    QGuiApplication::clipboard()->setText(lines.join(QLatin1Char('\n')));
}

} // namespace

InstructionsList::InstructionsList(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSortingEnabled(false);

    copyAction = new QAction(QStringLiteral("&Copy"), this);
    copyAction->setObjectName(QStringLiteral("copyAction"));
    copyAction->setShortcut(QKeySequence::Copy);
    copyAction->setShortcutContext(Qt::WidgetShortcut);
    copyAction->setEnabled(false);
    copyAllAction = new QAction(QStringLiteral("Copy &All"), this);
    copyAllAction->setObjectName(QStringLiteral("copyAllAction"));
    addAction(copyAction);
    addAction(copyAllAction);
    setContextMenuPolicy(Qt::ActionsContextMenu);

    connect(copyAction, &QAction::triggered, this, [this] { copyLines(selectedLines()); });
    connect(copyAllAction, &QAction::triggered, this, [this] { copyLines(allLines()); });
    connect(this, &QListWidget::itemSelectionChanged, this,
            [this] { copyAction->setEnabled(!selectedItems().isEmpty()); });
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
