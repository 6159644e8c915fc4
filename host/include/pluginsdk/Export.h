// Symbol visibility of the host SDK library: exported when building it, imported by plugins and hosts.
#pragma once

#if defined(_WIN32)
#if defined(PLUGINSDK_BUILDING)
#define PLUGINSDK_API __declspec(dllexport)
#else
#define PLUGINSDK_API __declspec(dllimport)
#endif
#else
#define PLUGINSDK_API __attribute__((visibility("default")))
#endif

namespace hostcore {
class World;
}
