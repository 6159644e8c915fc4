// Turns the kept lines into averages and recent-match tables.
#include "plugin/Tallyglass.h"

void Tallyglass::refreshStatistics() {}
