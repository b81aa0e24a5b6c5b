#include "fields/focus_validation.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QWindow>

#include <utility>

namespace {

QWidget* finalFocusProxy(QWidget* widget) {
    while (widget->focusProxy() != nullptr)
        widget = widget->focusProxy();
    return widget;
}

bool takesClickFocus(QWidget* widget) {
    const auto takes = [](const QWidget* w) {
        return (w->focusPolicy() & Qt::ClickFocus) == Qt::ClickFocus;
    };
    return takes(widget) && takes(finalFocusProxy(widget));
}

} // namespace

FocusValidation::FocusValidation(QWidget& window) : QObject(&window), m_window(&window) {
    setObjectName(QStringLiteral("focusValidation"));
    qApp->installEventFilter(this);
}

FocusValidation::~FocusValidation() {
    qApp->removeEventFilter(this);
}

void FocusValidation::addField(QWidget* field, GotFocusHandler gotFocus, ValidateHandler validate) {
    m_fields[field] = Handlers{std::move(gotFocus), std::move(validate)};
    // A field focused before it was registered is the one the user will leave first.
    if (m_holder == nullptr && field->hasFocus())
        m_holder = field;
    connect(field, &QObject::destroyed, this, [this, field] { m_fields.erase(field); });
}

bool FocusValidation::eventFilter(QObject* watched, QEvent* event) {
    if (m_window == nullptr)
        return false;
    switch (event->type()) {
    case QEvent::FocusIn:
        if (watched->isWidgetType())
            onFocusIn(static_cast<QWidget*>(watched));
        return false;
    case QEvent::KeyPress:
        return !m_validating && onTabKey(watched, event);
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        // The press must be judged before Qt hands the focus on, which happens before any
        // filter sees it at the widget: only the window's own delivery comes early enough.
        return !m_validating && watched == m_window->windowHandle() &&
               onMousePress(static_cast<QMouseEvent*>(event));
    case QEvent::MouseButtonRelease:
        if (m_swallowRelease && watched == m_window->windowHandle()) {
            m_swallowRelease = false;
            return true;
        }
        return false;
    case QEvent::Shortcut:
        if (auto* button = qobject_cast<QAbstractButton*>(watched);
            button != nullptr && !m_validating)
            return onShortcut(button);
        return false;
    default:
        return false;
    }
}

void FocusValidation::onFocusIn(QWidget* widget) {
    if (widget->window() != m_window || widget == m_holder)
        return;
    const auto found = m_fields.find(widget);
    if (found == m_fields.end()) {
        m_holder = nullptr;
        return;
    }
    m_holder = widget;
    if (found->second.gotFocus)
        found->second.gotFocus();
}

bool FocusValidation::onTabKey(QObject* receiver, QEvent* event) {
    // A real key press reaches the window first and the focus widget next; only the
    // second delivery is the one that moves the focus.
    if (receiver != m_window->focusWidget())
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab)
        return false;
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return false;
    return !validateLeaving();
}

bool FocusValidation::onMousePress(QMouseEvent* event) {
    QWidget* target = clickFocusTarget(event->position().toPoint());
    if (target == nullptr || target == m_window->focusWidget())
        return false;
    if (validateLeaving())
        return false;
    m_swallowRelease = true;
    return true;
}

bool FocusValidation::onShortcut(QAbstractButton* button) {
    if (button->window() != m_window)
        return false;
    if (!validateLeaving())
        return true;
    // An access key clicks the button without moving the focus in Qt; the user expects
    // the focus on the button, as after a click.
    if (button->focusPolicy() != Qt::NoFocus && button->isEnabled())
        button->setFocus(Qt::ShortcutFocusReason);
    return false;
}

QWidget* FocusValidation::fieldBeingLeft() const {
    // The window's own focus widget: right after a message box closes the window may not
    // be active again yet, but its keys and clicks already go to that widget.
    QWidget* focus = m_window->focusWidget();
    if (focus == nullptr || focus != m_holder || !m_fields.contains(focus))
        return nullptr;
    return focus;
}

bool FocusValidation::validateLeaving() {
    QPointer<QWidget> field = fieldBeingLeft();
    if (field == nullptr)
        return true;
    const ValidateHandler& validate = m_fields.at(field).validate;
    if (!validate)
        return true;
    bool cancel = false;
    {
        // Events that arrive while a message box of the handler is open move nothing.
        const QScopedValueRollback<bool> guard(m_validating, true);
        validate(cancel);
    }
    if (cancel && field != nullptr && m_window != nullptr) {
        // A message box took the activation away; give the field both back.
        m_window->activateWindow();
        field->setFocus(Qt::OtherFocusReason);
    }
    return !cancel;
}

QWidget* FocusValidation::clickFocusTarget(QPoint pos) const {
    // The same walk Qt makes to pick the widget that a press gives the focus to.
    QWidget* widget = m_window->childAt(pos);
    if (widget == nullptr)
        return nullptr;
    QPoint local = widget->mapFrom(m_window, pos);
    while (widget != nullptr) {
        if (widget->isEnabled() && widget->rect().contains(local) && takesClickFocus(widget))
            return finalFocusProxy(widget);
        if (widget->isWindow())
            return nullptr;
        if (finalFocusProxy(widget)->hasFocus())
            return nullptr;
        local += widget->pos();
        widget = widget->parentWidget();
    }
    return nullptr;
}
