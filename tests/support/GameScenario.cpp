#include "tests/support/GameScenario.h"

std::string loadedInWonRankedDoubles(std::int64_t clock, int team, const std::string& score) {
    return "clock " + std::to_string(clock) +
           "\nload\nonline title=\"Ranked Doubles\" id=11 ranked=1 lan=0 private=0\nlocal team=" +
           std::to_string(team) + "\nscore " + score + "\nwinner " + std::to_string(team) + "\n";
}
