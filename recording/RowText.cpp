#include "recording/RowText.h"

#include <algorithm>
#include <iterator>

namespace {

template <class Part> std::string joinedByCommas(const MatchRow& row, Part part) {
    std::string line;
    bool first = true;
    for (const auto& entry : row) {
        if (!first)
            line += ',';
        line += part(entry);
        first = false;
    }
    return line;
}

bool isCaptureMoment(const std::string& column) {
    return column == "Time" || column == "Timestamp";
}

} // namespace

std::string headerLine(const MatchRow& row) {
    return joinedByCommas(row, [](const MatchRow::value_type& entry) { return entry.first; });
}

std::string valuesLine(const MatchRow& row) {
    return joinedByCommas(row, [](const MatchRow::value_type& entry) { return entry.second; });
}

bool sameMatch(const MatchRow& a, const MatchRow& b) {
    auto withoutMoment = [](const MatchRow& row) {
        MatchRow rest;
        std::copy_if(row.begin(), row.end(), std::inserter(rest, rest.end()),
                     [](const MatchRow::value_type& entry) { return !isCaptureMoment(entry.first); });
        return rest;
    };
    return withoutMoment(a) == withoutMoment(b);
}
