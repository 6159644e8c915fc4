// Follows the local player's skill rating as the host announces changes.
#include "plugin/Tallyglass.h"

void Tallyglass::onMmrUpdated(UniqueIDWrapper) {}
