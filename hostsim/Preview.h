// `hostsim preview`: the overlay a player would see with their own stats file and settings.
#pragma once

#include "hostsim/CommandLine.h"
#include "hostsim/Scenario.h"

#include <ostream>
#include <string>
#include <vector>

// Checks what can be checked before anything runs: the stats file is a regular file and every --set
// value is a number. Refuses (HostsimError, exit 2) saying what is wrong.
void checkPreviewRequest(const HostsimOptions& options);

// The preview as scenario steps: copy the stats file into the data folder as the local player's
// file, pin the clock if asked, load, refuse (exit 2) a --set naming no console variable of the
// plugin, apply the settings as console lines (a value outside the variable's range is told on
// `notes`, with the value used), open the scoreboard and draw one frame.
std::vector<ScenarioStep> previewSteps(const HostsimOptions& options, std::ostream& notes);
