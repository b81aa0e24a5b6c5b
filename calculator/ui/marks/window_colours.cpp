#include "marks/window_colours.h"

#include "controls/clickable_label.h"
#include "marks/contrast.h"
#include "marks/danger_badge.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPalette>

namespace {

// The classic light look.
const QColor kReadOnlyGrey(227, 227, 227);
const QColor kLinkBlue(0, 0, 255);

constexpr const char* kDangerProperty = "danger";

bool reads(const QColor& text, const QColor& background) {
    return contrast::ratio(text, background) >= contrast::kMinimumRatio;
}

} // namespace

namespace colours {

QColor readOnlyBackground(const QPalette& palette) {
    const QColor text = palette.color(QPalette::Active, QPalette::Text);
    if (reads(text, kReadOnlyGrey))
        return kReadOnlyGrey;
    const QColor base = palette.color(QPalette::Active, QPalette::Base);
    QColor background = palette.color(QPalette::Active, QPalette::Window);
    for (const QColor& candidate : {palette.color(QPalette::Active, QPalette::AlternateBase),
                                    palette.color(QPalette::Disabled, QPalette::Base)}) {
        if (candidate != base) {
            background = candidate;
            break;
        }
    }
    // Moving the background away from the text keeps the field's text colour the palette's.
    return contrast::readableOn(background, text);
}

QColor textOnWindow(const QColor& designed, const QPalette& palette) {
    return contrast::readableOn(designed, palette.color(QPalette::Active, QPalette::Window));
}

QColor linkText(const QPalette& palette) {
    const QColor window = palette.color(QPalette::Active, QPalette::Window);
    if (reads(kLinkBlue, window))
        return kLinkBlue;
    return contrast::readableOn(palette.color(QPalette::Active, QPalette::Link), window);
}

QColor dangerText(Danger danger, const QColor& background) {
    return contrast::readableOn(markLook(danger).designed, background);
}

} // namespace colours

Danger dangerOf(const QLineEdit* field) {
    return static_cast<Danger>(field->property(kDangerProperty).toInt());
}

void applyFieldColours(QLineEdit* field) {
    const QPalette& windowPalette = field->window()->palette();
    // Only the roles set here are the field's own; the rest follow the window.
    QPalette palette;
    QColor background = windowPalette.color(QPalette::Active, QPalette::Base);
    if (field->isReadOnly()) {
        background = colours::readOnlyBackground(windowPalette);
        palette.setColor(QPalette::Base, background);
    }
    const Danger danger = dangerOf(field);
    const QColor mark = colours::dangerText(danger, background);
    if (danger != Danger::None)
        palette.setColor(QPalette::Text, mark);
    field->setPalette(palette);
    showDangerBadge(field, danger, mark, background, field->toolTip());
}

void markDanger(QLineEdit* field, Danger danger, const QString& reason) {
    field->setProperty(kDangerProperty, static_cast<int>(danger));
    QFont font = field->font();
    font.setBold(markLook(danger).bold);
    field->setFont(font);
    field->setToolTip(danger == Danger::None ? QString() : reason);
    applyFieldColours(field);
}

void applyWindowColours(QWidget& window) {
    const QPalette& palette = window.palette();
    const QColor link = colours::linkText(palette);
    const QString captionSheet = QStringLiteral("QGroupBox::title { color: rgb(%1, %2, %3); }")
                                     .arg(link.red())
                                     .arg(link.green())
                                     .arg(link.blue());
    // A new style sheet repolishes the whole group; only a new colour is worth that.
    for (QGroupBox* group : window.findChildren<QGroupBox*>())
        if (group->styleSheet() != captionSheet)
            group->setStyleSheet(captionSheet);
    for (ClickableLabel* label : window.findChildren<ClickableLabel*>()) {
        QPalette text;
        text.setColor(QPalette::WindowText, link);
        label->setPalette(text);
    }
    for (QLineEdit* field : window.findChildren<QLineEdit*>())
        applyFieldColours(field);
}
