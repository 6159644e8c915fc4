// Captures the local player's result when a match ends.
#include "plugin/Tallyglass.h"

void Tallyglass::onMatchEnded(std::string) {}
