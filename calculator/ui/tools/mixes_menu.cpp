#include "tools/mixes_menu.h"

#include "options/calculator_settings.h"

#include <QMenu>
#include <QMenuBar>

#include <array>

namespace {

constexpr std::array<quillan::WholePercent, 11> kStandardMixes{{{21, 0, 79},
                                                                {32, 0, 68},
                                                                {36, 0, 64},
                                                                {40, 0, 60},
                                                                {50, 0, 50},
                                                                {100, 0, 0},
                                                                {21, 35, 44},
                                                                {18, 45, 37},
                                                                {15, 55, 30},
                                                                {12, 60, 28},
                                                                {10, 70, 20}}};

// Before `before`, or last when it is nothing.
void addMixItem(QMenu* menu, const quillan::WholePercent& mix, const RequiredMixAccess& window,
                QAction* before = nullptr) {
    const auto name = quillan::GasMix::percent(mix.o2, mix.he).name();
    auto* item = new QAction(QString::fromStdString(name), menu);
    item->setObjectName(QStringLiteral("mnuMix%1_%2").arg(mix.o2).arg(mix.he));
    menu->insertAction(before, item);
    QObject::connect(item, &QAction::triggered, menu,
                     [mix, window] { window.fillRequiredMix(mix, std::nullopt); });
}

} // namespace

void AddMixesMenu(QMenuBar* bar, const RequiredMixAccess& window) {
    QMenu* menu = bar->addMenu(QStringLiteral("&Mixes"));
    menu->setObjectName(QStringLiteral("mnuMixes"));
    for (const quillan::WholePercent& mix : kStandardMixes)
        addMixItem(menu, mix, window);
    menu->addSeparator();
    for (const quillan::WholePercent& mix : CalculatorSettings().ownMixes())
        addMixItem(menu, mix, window);
    QAction* ownEnd = menu->addSeparator();
    QAction* add = menu->addAction(QStringLiteral("&Add current mix"));
    add->setObjectName(QStringLiteral("mnuAddMix"));
    QObject::connect(add, &QAction::triggered, menu, [menu, ownEnd, window] {
        quillan::WholePercent mix;
        try {
            const quillan::Mixer problem = window.problem();
            mix = {problem.TargetO2(), problem.TargetHe(), problem.TargetN()};
        } catch (const std::exception&) {
            return; // a required mix that is not a number is not one to keep
        }
        if (CalculatorSettings().addOwnMix(mix))
            addMixItem(menu, mix, window, ownEnd);
    });
}
