// What one invocation of hostsim plays: the steps of a scenario file, of the demo or of a preview.
#pragma once

#include "hostsim/CommandLine.h"
#include "hostsim/Scenario.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

// What one invocation plays, reads and leaves behind.
struct RunPlan {
    std::string name; // names the scenario in messages
    std::vector<ScenarioStep> steps;
    std::optional<std::filesystem::path> picture;
    bool scratchData = false;                  // a data folder of its own, removed afterwards
    std::vector<std::filesystem::path> inputs; // files the run reads, which no output may replace
};

// Where demo and preview put their picture unless --png says otherwise: the current folder.
inline constexpr const char* kDemoPicture = "tallyglass-demo.png";
inline constexpr const char* kPreviewPicture = "tallyglass-preview.png";

// The largest scenario file read: far beyond any hand-written or generated session.
inline constexpr std::uintmax_t kLargestScenarioFile = 16u << 20;

// Reads and checks everything the command line asks to play, before anything runs; refuses
// (HostsimError, exit 2) what is wrong, as FILE:LINE: for a scenario. Notes a preview makes while it
// runs go to `notes`.
RunPlan planRun(const HostsimOptions& options, std::ostream& notes);
