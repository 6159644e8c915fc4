#include "live/OutputFolder.h"

#include "toolkit/WholeFile.h"

void OutputFolder::set(const std::string& name, std::string content) {
    files_[name].wanted = std::move(content);
}

std::vector<OutputEvent> OutputFolder::write() {
    std::vector<OutputEvent> events;
    for (auto& [name, file] : files_) {
        if (file.written == file.wanted) {
            // It holds what it should again (the content went back to what it held).
            if (file.failing)
                events.push_back(OutputEvent{name, ""});
            file.failing = false;
            continue;
        }
        const std::optional<std::string> problem = replaceFileWith(folder_ / name, file.wanted);
        if (!problem) {
            file.written = file.wanted;
            if (file.failing)
                events.push_back(OutputEvent{name, ""});
            file.failing = false;
        } else {
            if (!file.failing)
                events.push_back(OutputEvent{name, *problem});
            file.failing = true;
        }
    }
    return events;
}

bool OutputFolder::allWritten() const {
    for (const auto& [name, file] : files_)
        if (file.written != file.wanted)
            return false;
    return true;
}
