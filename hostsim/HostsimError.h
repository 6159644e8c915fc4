// The one way hostsim reports a problem: an exception carrying the exit status and the message,
// caught once in hostsimMain, which prints the message and exits with the status.
#pragma once

#include <stdexcept>
#include <string>

enum class ExitStatus {
    Ran = 0,
    ModuleUnusable = 1, // missing file, missing export, another API version
    Unreadable = 2,     // a command line, scenario or input that cannot be used; nothing ran
    PluginThrew = 3,    // the plugin let an exception escape into the host
    OutputFailed = 4,   // the run ended but one of its outputs could not be written
};

class HostsimError : public std::runtime_error {
public:
    HostsimError(ExitStatus status, const std::string& message)
        : std::runtime_error(message)
        , status_(status) {}
    // A problem at a place in a scenario: the message starts with "FILE:LINE: " and is shown as it is,
    // the way compilers show theirs, instead of after "hostsim: ".
    static HostsimError at(const std::string& file, int line, const HostsimError& problem) {
        HostsimError located(problem.status_, file + ":" + std::to_string(line) + ": " + problem.what());
        located.located_ = true;
        return located;
    }
    ExitStatus status() const { return status_; }
    bool located() const { return located_; }

private:
    ExitStatus status_;
    bool located_ = false;
};

// A command line, scenario line or input hostsim cannot use.
[[noreturn]] inline void refuse(const std::string& message) {
    throw HostsimError(ExitStatus::Unreadable, message);
}
