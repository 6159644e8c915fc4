// Whether two paths name one file: an output must never replace an input or another output.
#pragma once

#include <filesystem>

// True when `a` and `b` name the same file, directly or through links, whether or not it exists yet:
// "out.html", "./out.html" and its absolute path are one file before the first write as after it.
bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b);
