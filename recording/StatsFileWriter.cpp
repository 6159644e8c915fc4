// The player's stats file: where it lives and how rows are appended to it.
#include "plugin/Tallyglass.h"

std::filesystem::path Tallyglass::getStatsFilePath() {
    return gameWrapper->GetDataFolder() / (gameWrapper->GetUniqueID().str() + "_Tallyglass.csv");
}

void Tallyglass::writeMatchRow() {}

void Tallyglass::finishPendingWrites() {}
