// Everything a plugin needs of the host SDK.
#pragma once

#include "pluginsdk/BakkesModPlugin.h"
#include "pluginsdk/Vector2.h"
#include "pluginsdk/wrappers/ActorWrapper.h"
#include "pluginsdk/wrappers/ArrayWrapper.h"
#include "pluginsdk/wrappers/CVarManagerWrapper.h"
#include "pluginsdk/wrappers/CVarWrapper.h"
#include "pluginsdk/wrappers/CanvasWrapper.h"
#include "pluginsdk/wrappers/GameSettingPlaylistWrapper.h"
#include "pluginsdk/wrappers/GameWrapper.h"
#include "pluginsdk/wrappers/MMRWrapper.h"
#include "pluginsdk/wrappers/PlayerControllerWrapper.h"
#include "pluginsdk/wrappers/PriWrapper.h"
#include "pluginsdk/wrappers/ServerWrapper.h"
#include "pluginsdk/wrappers/TeamWrapper.h"
#include "pluginsdk/wrappers/UniqueIDWrapper.h"
#include "pluginsdk/wrappers/UnrealStringWrapper.h"
