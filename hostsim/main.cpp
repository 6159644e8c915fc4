// hostsim: the substitute game-mod host. See README.md for its commands.
#include "hostsim/Hostsim.h"

#include <iostream>

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    return hostsimMain(arguments, std::cout, std::cerr);
}
