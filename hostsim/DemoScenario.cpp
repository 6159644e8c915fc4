#include "hostsim/DemoScenario.h"

const char* const kDemoScenario = R"(# Load Tallyglass the way the game's host does.
load
echo Tallyglass is loaded; its console commands:
console tallyglass_start
console tallyglass_box_opacity
)";
