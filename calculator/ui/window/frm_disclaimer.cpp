#include "window/frm_disclaimer.h"

#include "controls/twips_layout.h"
#include "marks/window_colours.h"
#include "program/app_title.h"
#include "program/end_program.h"
#include "window/window_icon.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

using layout::twipsRect;

frmDisclaimer::frmDisclaimer(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmDisclaimer"));
    setWindowTitle(QStringLiteral("Dialog Caption"));
    setWindowIcon(WindowIcon());
    const QFont font = layout::defaultFont();
    setFont(font);
    setFixedSize(layout::twips(5820), layout::twips(4050));

    warning_ = layout::addLabel(
        this, "Label2",
        QStringLiteral("Warning - Mixing your own breathing gas and using it for scuba diving can "
                       "cause serious injury or death. It's that simple."),
        twipsRect(120, 60, 5595, 915), layout::verdana(12, true), true);
    layout::addHorizontalLine(this, "Line1", 0, 60, 1020, 5760);
    layout::addLabel(this, "Label1",
                     QStringLiteral("This software is designed to assist in partial pressure gas "
                                    "mixing. It does not in any way release the diver from "
                                    "calculating their own mixes, ensuring they are suitable for "
                                    "the intended depth and time, and ensuring the contents have "
                                    "been properly analyzed before use."),
                     twipsRect(120, 1140, 5595, 1095), font, true)
        ->setProperty("Index", 0);
    layout::addLabel(this, "Label1",
                     QStringLiteral("DO YOU ACCEPT RESPONSIBILITY FOR YOUR ACTIONS AND AGREE TO "
                                    "HOLD HARMLESS THE DEVELOPER FOR ANY ERRORS OR OMMISSIONS "
                                    "THIS SOFTWARE MAY HAVE?"),
                     twipsRect(120, 2340, 5595, 675), font, true)
        ->setProperty("Index", 1);
    contact_ = layout::addLabel(this, "Label3", QStringLiteral("quillan@divers-workshop.org"),
                                twipsRect(960, 3060, 3675, 255), font);
    contact_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    applyColours();
    layout::addHorizontalLine(this, "Line1", 1, 60, 3420, 5760);

    OKButton = new QPushButton(QStringLiteral("I Accept"), this);
    layout::place(OKButton, "OKButton", twipsRect(240, 3600, 2595, 375), font);
    CancelButton = new QPushButton(QStringLiteral("I Do Not Accept"), this);
    layout::place(CancelButton, "CancelButton", twipsRect(2940, 3600, 2595, 375), font);
    for (QPushButton* button : {OKButton, CancelButton})
        button->setDefault(false);
    setTabOrder(OKButton, CancelButton);
    OKButton->setFocus();

    connect(OKButton, &QPushButton::clicked, this, &frmDisclaimer::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &frmDisclaimer::CancelButton_Click);

    // Form_Load
    setWindowTitle(program::GetAppTitle());
}

void frmDisclaimer::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmDisclaimer::closeEvent(QCloseEvent* event) {
    // accept() hides the dialog without a close event; should a Qt version send one, the
    // user's "I Accept" still stands.
    if (result() == QDialog::Accepted) {
        QDialog::closeEvent(event);
        return;
    }
    program::EndProgram(0);
}

void frmDisclaimer::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        applyColours();
}

void frmDisclaimer::applyColours() {
    QPalette warning;
    warning.setColor(QPalette::WindowText, colours::textOnWindow(QColor(192, 0, 0), palette()));
    warning_->setPalette(warning);
    QPalette contact;
    contact.setColor(QPalette::WindowText, colours::linkText(palette()));
    contact_->setPalette(contact);
}

void frmDisclaimer::OKButton_Click() {
    accept();
}

void frmDisclaimer::CancelButton_Click() {
    program::EndProgram(0);
}
