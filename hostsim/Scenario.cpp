#include "hostsim/Scenario.h"

#include "hostsim/HostsimError.h"
#include "hostsim/Seconds.h"

#include <sstream>

void ScenarioTimeline::pin(std::chrono::microseconds sinceEpoch) {
    clock = sinceEpoch;
}

void ScenarioTimeline::advance(std::chrono::microseconds duration) {
    // Both stay at most the latest clock, so their sums never overflow.
    if (hostTime + duration > kLatestClock || (clock && *clock + duration > kLatestClock))
        refuse("the wait takes the clock past the end of the year 9999");
    hostTime += duration;
    if (clock)
        *clock += duration;
}

std::vector<ScenarioStep> parseScenario(const std::string& text, const std::string& name) {
    std::vector<ScenarioStep> steps;
    ScenarioTimeline timeline;
    std::istringstream in(text);
    int lineNumber = 0;
    for (std::string line; std::getline(in, line);) {
        ++lineNumber;
        try {
            std::vector<std::string> words = splitScenarioLine(line);
            if (words.empty())
                continue;
            std::string command = words.front();
            words.erase(words.begin());
            steps.push_back({lineNumber, parseCommand(command, words, timeline)});
        } catch (const HostsimError& problem) {
            throw HostsimError::at(name, lineNumber, problem);
        }
    }
    return steps;
}
