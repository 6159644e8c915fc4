// tallyglass-report: the history report of a Tallyglass stats file. See README.md.
#include "report/ReportProgram.h"

#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include "report/WindowsLaunch.h"

// Wide arguments, so that a path in any script arrives whole (a file dropped onto the .exe in Explorer
// comes as the one argument).
int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> arguments;
    for (int at = 1; at < argc; ++at)
        arguments.push_back(utf8FromWide(argv[at]));
    const ConsoleOutputInUtf8 utf8Output;
    const int status = runReport(arguments, std::cout, std::cerr);
    std::cout.flush();
    keepOwnConsoleOpen(status, arguments);
    return status;
}
#else
#include <csignal>

int main(int argc, char** argv) {
    // Past a file-size limit a write then fails with its reason ("File too large"), and the program
    // cleans up and says so, instead of being stopped mid-write by the signal.
    std::signal(SIGXFSZ, SIG_IGN);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return runReport(arguments, std::cout, std::cerr);
}
#endif
