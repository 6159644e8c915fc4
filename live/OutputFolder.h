// The files of the live view in their folder: each is given the content it should have, and written
// (replaced whole) when that differs from what it holds. A file that could not be written is tried again
// at every write until it is, so none stays stale for good.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

// A file that could not be written, or that was written again after it could not be.
struct OutputEvent {
    std::string name;
    std::string problem; // empty: written again
};

class OutputFolder {
public:
    explicit OutputFolder(std::filesystem::path folder)
        : folder_(std::move(folder)) {}

    void set(const std::string& name, std::string content);
    // Writes every file that does not hold what it should. Tells of each file whose writing failed for the
    // first time, and of each written again after failing.
    std::vector<OutputEvent> write();
    // Whether every file holds what it should.
    bool allWritten() const;

    std::filesystem::path pathOf(const std::string& name) const { return folder_ / name; }
    const std::filesystem::path& folder() const { return folder_; }

private:
    struct File {
        std::string wanted;
        std::optional<std::string> written;
        bool failing = false;
    };

    std::filesystem::path folder_;
    std::map<std::string, File> files_;
    // Whether every file held what it should at the last write, nothing having been set since: the next
    // write has nothing to compare.
    bool settled_ = false;
};
