// JSON as the programs write it: their JSON files, and the data they put inside a page's script.
#pragma once

#include <nlohmann/json.hpp>

#include <string>
#include <string_view>

// JSON text, pure ASCII: every other character as a \u escape, and a byte sequence that is not UTF-8 as
// U+FFFD instead of failing. Compact by default; `indent` spaces a level otherwise.
std::string jsonText(const nlohmann::ordered_json& json, int indent = -1);

// JSON text made safe inside an HTML <script> element: "<", ">" and "&" become \u escapes, so no
// "</script>" or "<!--" from a playlist title can end or change the element. Still the same JSON.
std::string scriptSafeJson(std::string_view json);
