#include "tests/hostsim/ScenarioRefusal.h"

#include "tests/support/HostsimRun.h"
#include "tests/support/TestText.h"

#include <gtest/gtest.h>

void expectRefusedByLine(const std::string& scenario, const std::string& message) {
    TempFolder data;
    HostsimResult result = runScenario(scenario, data.path());
    EXPECT_EQ(result.exitCode, 2) << scenario;
    EXPECT_TRUE(contains(result.err, message)) << scenario << " gave: " << result.err;
    EXPECT_EQ(result.out, "") << scenario;
}
