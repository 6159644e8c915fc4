// tallyglass-live: the live view of the current session of a Tallyglass stats file. See README.md.
#include "live/LiveProgram.h"

#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include "toolkit/WindowsConsole.h"

// Wide arguments, so that a path in any script arrives whole (a file dropped onto the .exe in Explorer
// comes as the one argument).
int wmain(int argc, wchar_t** argv) {
    ConsoleStop stop;
    std::vector<std::string> arguments;
    for (int at = 1; at < argc; ++at)
        arguments.push_back(utf8FromWide(argv[at]));
    const ConsoleOutputInUtf8 utf8Output;
    LiveSurroundings surroundings{std::cout, std::cerr, stop, systemClock};
    const int status = runLive(arguments, surroundings);
    std::cout.flush();
    // An error ends the program at once: a window of its own stays until the player has read why.
    if (status != 0 && consoleIsOwn())
        waitForEnter();
    stop.finished();
    return status;
}
#else
int main(int argc, char** argv) {
    ConsoleStop stop;
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    LiveSurroundings surroundings{std::cout, std::cerr, stop, systemClock};
    return runLive(arguments, surroundings);
}
#endif
