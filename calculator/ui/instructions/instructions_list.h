// The instructions list: report lines the user can select (Ctrl+A, Shift/Ctrl+click), copy
// as plain text (Ctrl+C, or "Copy" and "Copy All" in its context menu), both keys working
// from anywhere in the window but a text field, with a focus
// frame in the palette's highlight colour while it holds the keyboard focus. A plan made
// from other figures than the fields now hold is marked out of date.
#pragma once

#include <QListWidget>

class QAction;
class QLabel;

class InstructionsList final : public QListWidget {
    Q_OBJECT
  public:
    explicit InstructionsList(QWidget* parent = nullptr);

    // The selected lines, in list order (not in the order they were clicked).
    QStringList selectedLines() const;
    QStringList allLines() const;

    // An out-of-date plan keeps its lines, under a banner (lblStalePlan), and what is saved
    // or printed of it starts by saying so. Cleared when new lines are
    // shown (the window says when).
    void setOutOfDate(bool outOfDate);
    bool isOutOfDate() const;
    // The lines as saved and printed.
    QStringList outputLines() const;

    QAction* copyAction;    // "Copy", Ctrl+C: the selected lines
    QAction* copyAllAction; // "Copy All": every line

  protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void paintFocusFrame();

    QLabel* staleBanner_;
};
