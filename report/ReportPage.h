// The report page: one self-contained HTML file that draws the summary JSON with the inlined charting
// library. It works from disk with the network off; its Content-Security-Policy allows no fetch at all.
#pragma once

#include <string>
#include <string_view>

// `summaryJson` is the summary's JSON text, as jsonText() writes it (ASCII only).
std::string reportPage(std::string_view summaryJson);

// The index page of a folder's accounts: `indexJson` lists them (report/FolderReport.cpp), each linking
// to its page beside the index.
std::string indexPage(std::string_view indexJson);
