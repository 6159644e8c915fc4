// A scenario hostsim must refuse before running anything.
#pragma once

#include <string>

// Plays `scenario` on a fresh data folder and checks that hostsim refuses it with status 2, an error
// holding `message` (e.g. ":1: wait: the wait must not be negative") and no console output.
void expectRefusedByLine(const std::string& scenario, const std::string& message);
