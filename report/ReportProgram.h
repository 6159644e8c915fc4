// tallyglass-report as a function, so tests can run it in-process: reads the stats file, writes the
// page (and the JSON when asked), prints where the page is and a per-playlist summary.
// Exit status: 0 written; 2 a command line or stats file that cannot be read (nothing written);
// 1 an output that cannot be written.
#pragma once

#include <ostream>
#include <string>
#include <vector>

int runReport(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
