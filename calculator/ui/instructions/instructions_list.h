// The instructions list: report lines the user can select (Ctrl+A, Shift/Ctrl+click), copy
// as plain text (Ctrl+C, or "Copy" and "Copy All" in its context menu), with a focus
// frame in the palette's highlight colour while it holds the keyboard focus.
#pragma once

#include <QListWidget>

class QAction;

class InstructionsList final : public QListWidget {
    Q_OBJECT
  public:
    explicit InstructionsList(QWidget* parent = nullptr);

    // The selected lines, in list order (not in the order they were clicked).
    QStringList selectedLines() const;
    QStringList allLines() const;

    QAction* copyAction;    // "Copy", Ctrl+C: the selected lines
    QAction* copyAllAction; // "Copy All": every line

  protected:
    bool event(QEvent* event) override;

  private:
    void paintFocusFrame();
};
