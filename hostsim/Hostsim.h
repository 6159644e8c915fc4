// hostsim's entry: reads its command line, loads the module and plays a scenario against it.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// Runs hostsim with these arguments (UTF-8, without the program name); returns its exit status (see
// ExitStatus in HostsimError.h): 0 when the scenario ran, 1 when the module cannot be used, 2 for a
// command line, scenario or input that cannot be used (nothing ran), 3 when the plugin let an
// exception escape into the host, 4 when an output could not be written.
int hostsimMain(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
