// The session `hostsim demo` plays.
#pragma once

extern const char* const kDemoScenario;
