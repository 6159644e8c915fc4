// The report page: one self-contained HTML file that draws the summary JSON with the inlined charting
// library. It works from disk with the network off; its Content-Security-Policy allows no fetch at all.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <utility>

// `summaryJson` is the summary's JSON text, as jsonText() writes it (ASCII only).
std::string reportPage(std::string_view summaryJson);

// The JSON text made safe inside an HTML <script> element: "<", ">" and "&" become \u escapes, so no
// "</script>" or "<!--" from a playlist title can end or change the element. Still the same JSON.
std::string scriptSafeJson(std::string_view json);

// A page template with each marker replaced by its content; the markers stand in it once each, in the
// order given (a template lacking one is a fault of the build, thrown as std::logic_error). Shared by
// the report's page and the live view's pages.
using PagePart = std::pair<std::string_view, std::string_view>;
std::string filledPage(std::string_view page, std::span<const PagePart> parts);
