// Checked conversions of scenario arguments; each refuses (HostsimError, exit 2) naming what is wrong.
#pragma once

#include "hostsim/Tokenizer.h"

#include <map>
#include <string>
#include <vector>

long long parseInteger(const std::string& text, long long min, long long max, const std::string& what);
double parseDecimal(const std::string& text, const std::string& what);
bool parseFlag(const std::string& text, const std::string& what);

// Splits key=value arguments, refusing keys not in `allowed` and keys given twice.
std::map<std::string, std::string> parseKeyValues(const std::vector<std::string>& arguments,
                                                  const std::vector<std::string>& allowed);

void expectArgumentCount(const std::vector<std::string>& arguments, std::size_t min, std::size_t max);
