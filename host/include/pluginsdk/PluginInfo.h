// The record a plugin module exports under the name "exports", which the host reads by that name, and
// the API version it must carry. Needs no standard library beyond the headers every compiler brings
// itself, so it is also checked in the Microsoft ABI with clang-cl alone (.ci/msvc-check).
#pragma once

#include <stddef.h>
#include <stdint.h>

namespace BakkesMod::Plugin {

// The host only loads modules built against this API version.
inline constexpr int kApiBuildVersion = 95;

enum PluginType : unsigned int { PLUGINTYPE_NONE = 0 };

struct BakkesModPluginInfo {
    int apiBuildVersion;
    const char* fileName;
    const char* className;
    const char* pluginName;
    const char* pluginVersion;
    unsigned int pluginType;
    uintptr_t (*initializeFunc)();
    void (*deleteFunc)();
};

static_assert(sizeof(void*) == 8, "the registration record is laid out for 64-bit pointers");
static_assert(sizeof(BakkesModPluginInfo) == 64);
static_assert(offsetof(BakkesModPluginInfo, apiBuildVersion) == 0);
static_assert(offsetof(BakkesModPluginInfo, fileName) == 8);
static_assert(offsetof(BakkesModPluginInfo, className) == 16);
static_assert(offsetof(BakkesModPluginInfo, pluginName) == 24);
static_assert(offsetof(BakkesModPluginInfo, pluginVersion) == 32);
static_assert(offsetof(BakkesModPluginInfo, pluginType) == 40);
static_assert(offsetof(BakkesModPluginInfo, initializeFunc) == 48);
static_assert(offsetof(BakkesModPluginInfo, deleteFunc) == 56);

} // namespace BakkesMod::Plugin
