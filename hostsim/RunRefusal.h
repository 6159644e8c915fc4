// A request hostsim can only find wrong once the module is loaded (a preview setting the plugin does
// not have, a stats file that cannot be copied): the run stops there, before anything is drawn, and
// hostsim exits as for a bad command line.
#pragma once

#include <stdexcept>

struct RunRefusal : std::runtime_error {
    using std::runtime_error::runtime_error;
};
