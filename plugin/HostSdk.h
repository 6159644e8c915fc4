// The one place the plugin names the host SDK's headers. Against another SDK whose header files are
// named or grouped differently, only this file changes; the rest of the plugin includes it alone.
#pragma once

#include "pluginsdk/pluginsdk.h"
