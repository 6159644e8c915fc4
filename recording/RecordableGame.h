// Which games count: matches are recorded, and ratings followed, only in online games that are
// neither LAN nor private matches.
#pragma once

#include "plugin/HostSdk.h"

#include <optional>

// The running online game when it counts; nothing otherwise.
std::optional<ServerWrapper> recordableOnlineGame(GameWrapper& gameWrapper);
