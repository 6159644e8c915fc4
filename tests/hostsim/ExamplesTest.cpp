// The example scenarios shipped in examples/ run as they stand, record their matches and draw the
// overlay; the README shows the first of them as it is in the file.
#include "tests/support/HostsimRun.h"
#include "tests/support/TestText.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace fs = std::filesystem;

namespace {

const fs::path kExamples = fs::u8path(TALLYGLASS_EXAMPLES_DIR);

std::vector<fs::path> exampleScenarios() {
    std::vector<fs::path> scenarios;
    for (const auto& entry : fs::directory_iterator(kExamples))
        if (entry.path().extension() == ".scenario")
            scenarios.push_back(entry.path());
    std::sort(scenarios.begin(), scenarios.end());
    return scenarios;
}

} // namespace

TEST(Examples, EachRunsRecordsItsMatchesAndDrawsTheOverlay) {
    const auto scenarios = exampleScenarios();
    ASSERT_GE(scenarios.size(), 4u) << pathToUtf8(kExamples);
    for (const fs::path& scenario : scenarios) {
        SCOPED_TRACE(pathToUtf8(scenario.filename()));
        TempFolder data;
        HostsimResult result = runHostsim({"run", pathToUtf8(scenario), "--data", pathToUtf8(data.path()),
                                           "--png", pathToUtf8(data / "frame.png")});
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.err.find("no frame drew anything"), std::string::npos) << result.err;
        EXPECT_NE(readFile(defaultStatsFile(data.path())).find(lineEnd()), std::string::npos)
            << "the default player's stats file holds at least its header and a row";
    }
}

TEST(Examples, TheReadmeShowsTheFirstExampleAsItIs) {
    const std::string readme = readFile(kExamples.parent_path() / "README.md");
    const std::string example = readFile(kExamples / "one-match.scenario");
    ASSERT_FALSE(example.empty());
    EXPECT_NE(readme.find("```\n" + example + "```\n"), std::string::npos);
    EXPECT_NE(readme.find("examples/one-match.scenario"), std::string::npos);
}
