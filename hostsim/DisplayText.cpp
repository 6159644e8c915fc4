#include "hostsim/DisplayText.h"

#include "statsfile/PathText.h"
#include "toolkit/WholeFile.h"

#include <cstdio>

std::string displayPath(const std::filesystem::path& path) {
    return displayText(pathToUtf8(path));
}

std::string displayText(const std::string& text) {
    std::string shown;
    shown.reserve(text.size());
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n')
            shown += "\\n";
        else if (c == '\r')
            shown += "\\r";
        else if (c == '\t')
            shown += "\\t";
        else if (byte < 0x20 || byte == 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02x", byte);
            shown += escape;
        } else
            shown += c;
    }
    return shown;
}

std::string reasonText(const std::error_code& error) {
    return systemReason(error);
}
