// Visual Basic's got-focus and validate events for the text fields of one window.
//
// Qt has no validate event, so one application event filter watches the ways the user
// moves the focus out of a field: Tab and Shift+Tab, a mouse press on another control
// that takes the focus, and a push button's access key. It runs the field's validate
// handler first; when the handler cancels, the move does not happen (a pressed button is
// not clicked) and the focus stays in the field. Controls that never take the focus
// (link labels, the menu bar), closing the window and writing a field from code
// validate nothing.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <map>

class QAbstractButton;
class QMouseEvent;

class FocusValidation final : public QObject {
    Q_OBJECT

  public:
    using GotFocusHandler = std::function<void()>;
    using ValidateHandler = std::function<void(bool& Cancel)>;

    // Watches the fields of `window`; lives as the window's child.
    explicit FocusValidation(QWidget& window);
    ~FocusValidation() override;

    void addField(QWidget* field, GotFocusHandler gotFocus, ValidateHandler validate);

    // True while a validate handler runs (it may be showing a modal message box).
    bool isValidating() const { return m_validating; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Handlers {
        GotFocusHandler gotFocus;
        ValidateHandler validate;
    };

    void onFocusIn(QWidget* widget);
    bool onTabKey(QObject* receiver, QEvent* event);
    bool onMousePress(QMouseEvent* event);
    bool onShortcut(QAbstractButton* button);

    // The field holding the focus whose validate handler must run before it is left.
    QWidget* fieldBeingLeft() const;
    // Runs the validate handler of the field being left; true when the focus may move on.
    bool validateLeaving();
    // The widget a mouse press at `pos` (window coordinates) would give the focus to.
    QWidget* clickFocusTarget(QPoint pos) const;

    QPointer<QWidget> m_window;
    std::map<const QWidget*, Handlers> m_fields;
    // The field whose got-focus ran last and that has not been left since; focus coming
    // back to it (after a message box, or after a cancel) raises no got-focus again.
    QPointer<QWidget> m_holder;
    bool m_validating = false;
    bool m_swallowRelease = false;
};
