// A game array of handles.
#pragma once

#include "pluginsdk/Export.h"

#include <memory>

template <class T> class ArrayWrapper {
public:
    ArrayWrapper(std::shared_ptr<hostcore::World> world, int count)
        : world_(std::move(world))
        , count_(count) {}

    int Count() const { return count_; }
    // Like the game's own arrays, an index out of range is the caller's fault; this host answers it
    // with a handle to nothing.
    T Get(int index) const { return T(world_, index); }

private:
    std::shared_ptr<hostcore::World> world_;
    int count_ = 0;
};
