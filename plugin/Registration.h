// The record the host reads from the module under the name "exports", and the two entries it names.
// Needs no standard library beyond the headers every compiler brings itself (stddef.h, stdint.h), so
// it is also checked in the Microsoft ABI with clang-cl alone (.ci/msvc-check).
#pragma once

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32)
#define TALLYGLASS_EXPORT __declspec(dllexport)
#else
#define TALLYGLASS_EXPORT __attribute__((visibility("default")))
#endif

// The registration record as the host reads it: 64 bytes, little-endian, 64-bit pointers. Laid out
// here rather than taken from the SDK's headers, so it stays the same whatever those headers name it.
struct TallyglassRegistration {
    int32_t apiVersion;
    const char* sourceFile;
    const char* className;
    const char* pluginName;
    const char* pluginVersion;
    uint32_t pluginTypeFlags;
    uintptr_t (*factory)() noexcept;
    void (*release)() noexcept;
};

static_assert(sizeof(void*) == 8, "the registration record is laid out for 64-bit pointers");
static_assert(sizeof(TallyglassRegistration) == 64);
static_assert(offsetof(TallyglassRegistration, apiVersion) == 0);
static_assert(offsetof(TallyglassRegistration, sourceFile) == 8);
static_assert(offsetof(TallyglassRegistration, className) == 16);
static_assert(offsetof(TallyglassRegistration, pluginName) == 24);
static_assert(offsetof(TallyglassRegistration, pluginVersion) == 32);
static_assert(offsetof(TallyglassRegistration, pluginTypeFlags) == 40);
static_assert(offsetof(TallyglassRegistration, factory) == 48);
static_assert(offsetof(TallyglassRegistration, release) == 56);

extern "C" {
// The factory: a pointer to the module's shared pointer to its plugin object (empty if none could be made).
TALLYGLASS_EXPORT uintptr_t getPlugin() noexcept;
// Releases the module's plugin object.
TALLYGLASS_EXPORT void deleteMe() noexcept;
}
