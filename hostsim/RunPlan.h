// What one invocation of hostsim plays: the steps of a scenario file, of the demo or of a preview.
#pragma once

#include "hostsim/CommandLine.h"
#include "hostsim/Scenario.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

// What one invocation plays and leaves behind.
struct RunPlan {
    std::string name; // names the scenario in messages
    std::vector<ScenarioStep> steps;
    std::optional<std::filesystem::path> picture;
    bool scratchData = false; // a data folder of its own, removed afterwards
};

// Where demo and preview put their picture unless --png says otherwise: the current folder.
inline constexpr const char* kDemoPicture = "tallyglass-demo.png";
inline constexpr const char* kPreviewPicture = "tallyglass-preview.png";

// Reads and checks everything the command line asks to play, before anything runs; on a problem
// says what is wrong on `err` (as FILE:LINE: for a scenario) and returns false.
bool planRun(const HostsimOptions& options, RunPlan& plan, std::ostream& err);
