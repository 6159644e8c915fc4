// The fixture of the pages' tests in Debian's headless Chromium: skipped where it is not installed, with
// a folder for the files and the browser's profile.
#pragma once

#include "tests/support/DevToolsBrowser.h"
#include "tests/support/HostsimRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

class PagesInBrowser : public ::testing::Test {
protected:
    void SetUp() override {
        program_ = findChromium();
        if (!program_)
            GTEST_SKIP()
                << "no headless Chromium here (apt-get install chromium); .ci/packages.sh installs it";
        std::filesystem::create_directory(folder_ / "profile");
    }

    std::optional<std::filesystem::path> program_;
    TempFolder folder_;
};
