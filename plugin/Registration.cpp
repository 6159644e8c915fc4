// The module's registration record, exported as "exports".
#include "plugin/Registration.h"

namespace {
// The host loads only modules built for this API version.
constexpr int32_t kHostApiVersion = 95;
constexpr uint32_t kNoPluginTypeFlags = 0;
} // namespace

extern "C" {
TALLYGLASS_EXPORT TallyglassRegistration exports{
    kHostApiVersion, "plugin/Exports.cpp", "Tallyglass", "Tallyglass",
    "1.1",           kNoPluginTypeFlags,   &getPlugin,   &deleteMe,
};
}
