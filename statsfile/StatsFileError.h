// The error of a file that cannot be read as a stats file at all.
#pragma once

#include <stdexcept>

// The file cannot be read as a stats file at all: missing, a folder or device, unreadable, no header, no
// text the layout rule reads.
class StatsFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
