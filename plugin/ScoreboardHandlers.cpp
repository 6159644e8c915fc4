// Opening the scoreboard snapshots the console settings, refreshes the statistics and starts drawing;
// closing it stops drawing.
#include "plugin/CallbackGuard.h"
#include "plugin/ConsoleSettings.h"
#include "plugin/Tallyglass.h"

void Tallyglass::onScoreboardOpen(std::string) {
    if (!pluginEnabled)
        return;
    for (const ConsoleSetting& setting : kConsoleSettings) {
        CVarWrapper cvar = cvarManager->getCvar(setting.name);
        if (setting.flag)
            this->*setting.flag = cvar.getBoolValue();
        else
            this->*setting.value = cvar.getIntValue();
    }
    gameWrapper->UnregisterDrawables();
    refreshStatistics();
    gameWrapper->RegisterDrawable(
        [this](CanvasWrapper canvas) { runGuarded(*this, [&] { render(std::move(canvas)); }); });
}

void Tallyglass::onScoreboardClose(std::string) {
    gameWrapper->UnregisterDrawables();
}
