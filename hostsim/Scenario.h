// A scenario: the commands of a scenario file, read and checked in full before any of them runs.
#pragma once

#include "hostsim/Session.h"
#include "hostsim/Tokenizer.h"

#include <functional>
#include <string>
#include <vector>

using ScenarioAction = std::function<void(Session&)>;

struct ScenarioStep {
    int line;
    ScenarioAction action;
};

struct ScenarioParseError {
    int line;
    std::string message;
};

// Reads a whole scenario; on the first bad line fills `error` and returns no steps.
std::vector<ScenarioStep> parseScenario(const std::string& text, ScenarioParseError& error, bool& ok);

// Turns one command and its arguments into its action; throws ScenarioError when they are wrong.
ScenarioAction parseCommand(const std::string& name, const std::vector<std::string>& arguments);
