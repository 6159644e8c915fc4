// The short per-playlist summary printed on standard output, useful without a browser.
#pragma once

#include "report/HistorySummary.h"

#include <ostream>

void printConsoleSummary(const HistorySummary& summary, std::ostream& out);
