// The steps one report takes, shared by the report of one stats file and that of a folder of them.
#pragma once

#include "report/HistorySummary.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

inline constexpr const char* kReportProgram = "tallyglass-report: ";

// Writes one output whole or not at all; says why on `err` when it cannot.
bool writeReportOutput(const std::filesystem::path& path, std::string_view text, std::ostream& err);

// The summary of `file`; none, with why in `problem` (in a few words), when it cannot be read as a
// stats file.
std::optional<HistorySummary> readHistory(const std::filesystem::path& file, std::int64_t now,
                                          std::string& problem);
