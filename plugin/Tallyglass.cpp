// Construction, destruction and the load sequence that wires every host callback.
#include "plugin/Tallyglass.h"

#include "plugin/CallbackGuard.h"
#include "plugin/ConsoleSettings.h"
#include "plugin/GameEvents.h"
#include "plugin/StatBoxes.h"

Tallyglass::Tallyglass()
    : averageLines_(kStatBoxes.size()) {
    for (std::size_t field = 0; field < kTableFields.size(); ++field)
        columnNames[field] = columnName(kTableFields[field]);
    for (const StatBox& box : kStatBoxes)
        this->*box.titles = {"Playlist", "Score", std::string(columnName(box.statistic)), "Time", "Win"};
}

Tallyglass::~Tallyglass() {
    runGuarded(*this, [&] { finishPendingWrites(); });
}

void Tallyglass::onLoad() {
    runGuarded(*this, [&] {
        cvarManager->log("--- > Tallyglass V1.1 Plugin loaded! < ---");
        cvarManager->registerNotifier(
            "tallyglass_start",
            [this](std::vector<std::string> arguments) {
                runGuarded(*this, [&] { onStartCommand(std::move(arguments)); });
            },
            "Enables the Tallyglass Plugin.", 0);
        cvarManager->registerNotifier(
            "tallyglass_stop",
            [this](std::vector<std::string> arguments) {
                runGuarded(*this, [&] { onStopCommand(std::move(arguments)); });
            },
            "Disables the Tallyglass Plugin.", 0);
        for (const ConsoleSetting& setting : kConsoleSettings)
            cvarManager->registerCvar(setting.name, setting.defaultValue, setting.description, true, true,
                                      setting.min, true, setting.max, true);

        gameWrapper->HookEvent(kScoreboardOpenedEvent, [this](std::string eventName) {
            runGuarded(*this, [&] { onScoreboardOpen(std::move(eventName)); });
        });
        gameWrapper->HookEvent(kScoreboardClosedEvent, [this](std::string eventName) {
            runGuarded(*this, [&] { onScoreboardClose(std::move(eventName)); });
        });
        gameWrapper->HookEvent(kMatchEndedEvent, [this](std::string eventName) {
            runGuarded(*this, [&] { onMatchEnded(std::move(eventName)); });
        });

        MMRWrapper ratings = gameWrapper->GetMMRWrapper();
        mmrNotifierToken = ratings.RegisterMMRNotifier(
            [this](UniqueIDWrapper id) { runGuarded(*this, [&] { onMmrUpdated(std::move(id)); }); });

        loadStatsFile(getStatsFilePath());
    });
}

void Tallyglass::runLater(float delaySeconds, std::function<void()> task) {
    gameWrapper->SetTimeout(
        [this, alive = std::weak_ptr<int>(aliveToken_), scheduled = std::move(task)](GameWrapper*) {
            if (alive.expired())
                return;
            runGuarded(*this, scheduled);
        },
        delaySeconds);
}

void Tallyglass::reportFailure(const char* what) noexcept {
    try {
        if (cvarManager)
            cvarManager->log(std::string("Tallyglass: ") + what);
    } catch (...) {
        // Nothing is left to tell the failure with; the host must go on regardless.
    }
}
