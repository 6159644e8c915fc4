// Skill ratings and the notifier the host calls when a rating changes.
#pragma once

#include "pluginsdk/wrappers/UniqueIDWrapper.h"

#include <functional>
#include <memory>

// Keeps a rating notifier registered for as long as it lives.
class PLUGINSDK_API MMRNotifierToken {
public:
    MMRNotifierToken(std::weak_ptr<hostcore::World> world, int id);
    ~MMRNotifierToken();
    MMRNotifierToken(const MMRNotifierToken&) = delete;
    MMRNotifierToken& operator=(const MMRNotifierToken&) = delete;

private:
    std::weak_ptr<hostcore::World> world_;
    int id_;
};

class PLUGINSDK_API MMRWrapper {
public:
    explicit MMRWrapper(std::shared_ptr<hostcore::World> world);

    std::unique_ptr<MMRNotifierToken> RegisterMMRNotifier(std::function<void(UniqueIDWrapper)> callback);
    float GetPlayerMMR(UniqueIDWrapper id, int playlistId);

private:
    std::shared_ptr<hostcore::World> world_;
};
