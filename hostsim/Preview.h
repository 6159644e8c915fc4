// `hostsim preview`: the overlay a player would see with their own stats file and settings.
#pragma once

#include "hostsim/CommandLine.h"
#include "hostsim/Scenario.h"

#include <string>
#include <vector>

// Checks what can be checked before anything runs: the stats file can be read and every --set
// value is a number. On a problem returns false and says what is wrong in `error`.
bool checkPreviewRequest(const HostsimOptions& options, std::string& error);

// The preview as scenario steps: copy the stats file into the data folder as the local player's
// file, pin the clock if asked, load, refuse (RunRefusal) a --set naming no console variable of the
// plugin, apply the settings as console lines, open the scoreboard and draw one frame.
std::vector<ScenarioStep> previewSteps(const HostsimOptions& options);

// The file name the local player's stats file has in the host's data folder.
std::string statsFileName(const std::string& playerId);
