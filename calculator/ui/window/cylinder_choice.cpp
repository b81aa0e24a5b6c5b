#include "window/cylinder_choice.h"

#include "controls/twips_layout.h"
#include "options/cylinder_dialog.h"
#include "options/fill_station_settings.h"
#include "quantities/cylinder_library.h"

#include <QComboBox>
#include <QLabel>

CylinderChoice::CylinderChoice(QWidget* group, std::function<quillan::UnitSystem()> units)
    : QObject(group), box_(new QComboBox(group)), units_(std::move(units)) {
    QLabel* caption =
        layout::addLabel(group, "lblCylinder", QStringLiteral("C&ylinder"),
                         layout::twipsRect(4560, 420, 2235, 255), layout::defaultFont());
    layout::place(box_, "cboCylinder", layout::twipsRect(4560, 660, 2475, 285),
                  layout::defaultFont());
    caption->setBuddy(box_);
    // Reached by its caption's Alt+Y: the window's Tab order stays as it was.
    box_->setFocusPolicy(Qt::ClickFocus);
    fill();
    connect(box_, &QComboBox::activated, this, &CylinderChoice::choose);
}

void CylinderChoice::fill() {
    cylinders_ = quillan::standardCylinders();
    const auto own = FillStationSettings().ownCylinders();
    cylinders_.insert(cylinders_.end(), own.begin(), own.end());
    const QSignalBlocker quiet(box_);
    box_->clear();
    box_->addItem(QStringLiteral("(none)"));
    for (const quillan::Cylinder& cylinder : cylinders_)
        box_->addItem(QString::fromStdString(cylinder.name));
    box_->addItem(QStringLiteral("Add cylinder..."));
    const int remembered = box_->findText(FillStationSettings().chosenCylinder());
    shown_ = remembered > 0 && remembered <= int(cylinders_.size()) ? remembered : 0;
    box_->setCurrentIndex(shown_);
}

void CylinderChoice::choose(int index) {
    if (index == box_->count() - 1) {
        QStringList taken;
        for (const quillan::Cylinder& cylinder : cylinders_)
            taken << QString::fromStdString(cylinder.name);
        const auto added = askOwnCylinder(box_->window(), units_(), taken);
        if (!added) {
            box_->setCurrentIndex(shown_);
            return;
        }
        FillStationSettings().addOwnCylinder(*added);
        FillStationSettings().setChosenCylinder(QString::fromStdString(added->name));
        fill();
        emit chosenChanged();
        return;
    }
    if (index == shown_)
        return;
    shown_ = index;
    FillStationSettings().setChosenCylinder(index == 0 ? QString() : box_->itemText(index));
    emit chosenChanged();
}

std::optional<quillan::Cylinder> CylinderChoice::chosen() const {
    if (shown_ == 0)
        return std::nullopt;
    return cylinders_[std::size_t(shown_ - 1)];
}
