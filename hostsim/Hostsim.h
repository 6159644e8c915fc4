// hostsim's entry: reads its command line, loads the module and plays a scenario against it.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// Runs hostsim with these arguments (without the program name); returns its exit status:
// 0 when the scenario ran, 1 when the module cannot be used, 2 for a command line or scenario that
// cannot be read, 3 when the plugin let an exception escape into the host.
int hostsimMain(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
