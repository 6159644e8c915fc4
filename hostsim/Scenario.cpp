#include "hostsim/Scenario.h"

#include <sstream>

std::vector<ScenarioStep> parseScenario(const std::string& text, ScenarioParseError& error, bool& ok) {
    std::vector<ScenarioStep> steps;
    std::istringstream in(text);
    int lineNumber = 0;
    for (std::string line; std::getline(in, line);) {
        ++lineNumber;
        try {
            std::vector<std::string> words = splitScenarioLine(line);
            if (words.empty())
                continue;
            std::string name = words.front();
            words.erase(words.begin());
            steps.push_back({lineNumber, parseCommand(name, words)});
        } catch (const ScenarioError& problem) {
            error = {lineNumber, problem.what()};
            ok = false;
            return {};
        }
    }
    ok = true;
    return steps;
}
