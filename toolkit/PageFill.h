// Filling a page template: the report's page and the live view's pages are each one template whose
// markers are replaced by the styles, scripts and data built into the program.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <utility>

// A marker and what replaces it.
using PagePart = std::pair<std::string_view, std::string_view>;

// `page` with each marker replaced by its content; the markers stand in it once each, in the order
// given (a template lacking one is a fault of the build, thrown as std::logic_error).
std::string filledPage(std::string_view page, std::span<const PagePart> parts);
