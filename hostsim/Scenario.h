// A scenario: the commands of a scenario file, read and checked in full before any of them runs.
#pragma once

#include "hostsim/Session.h"
#include "hostsim/Tokenizer.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

using ScenarioAction = std::function<void(Session&)>;

struct ScenarioStep {
    int line;
    ScenarioAction action;
};

// Where the scenario's time will stand, followed while it is read, so that a wait taking the pinned
// clock past the end of the year 9999 is refused before anything runs.
struct ScenarioTimeline {
    std::chrono::microseconds hostTime{0};
    std::optional<std::chrono::microseconds> clock; // once a clock command pinned it

    void pin(std::chrono::microseconds sinceEpoch);
    void advance(std::chrono::microseconds duration);
};

// Reads a whole scenario; `name` names it in messages. Refuses (HostsimError, exit 2) the first bad
// line with "NAME:LINE: what is wrong".
std::vector<ScenarioStep> parseScenario(const std::string& text, const std::string& name);

// Turns one command and its arguments into its action; refuses them (without a line) when they are
// wrong.
ScenarioAction parseCommand(const std::string& name, const std::vector<std::string>& arguments,
                            ScenarioTimeline& timeline);
