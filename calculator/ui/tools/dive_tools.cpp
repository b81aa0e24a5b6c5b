#include "tools/dive_tools.h"

#include "fields/mod_tooltip.h"
#include "options/dive_po2_menu.h"
#include "tools/best_mix_dialog.h"
#include "tools/mixes_menu.h"

#include <QMenu>
#include <QMenuBar>

void AddDiveTools(QMenuBar* bar, const WindowFields& fields,
                  std::function<quillan::UnitSystem()> units,
                  std::function<quillan::Mixer()> problem) {
    if (auto* options = bar->findChild<QMenu*>(QStringLiteral("mnuOptions")))
        AddDivePO2Menu(options);
    installModTooltip(fields, units);
    const RequiredMixAccess window = windowAccess(fields, std::move(units), std::move(problem));
    QMenu* tools = bar->addMenu(QStringLiteral("Too&ls"));
    tools->setObjectName(QStringLiteral("mnuTools"));
    QAction* best = tools->addAction(QStringLiteral("&Best mix..."));
    best->setObjectName(QStringLiteral("mnuBestMix"));
    QObject::connect(best, &QAction::triggered, bar,
                     [bar, window] { askBestMix(bar->window(), window); });
    AddMixesMenu(bar, window);
}
