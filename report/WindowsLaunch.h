// The report's end on Windows: when it was started by dropping a file onto it in Explorer, the page it
// wrote opens and the window stays until the player has read it.
#pragma once

#include "toolkit/WindowsConsole.h"

#include <string>
#include <vector>

// When the console window is the program's own (started from Explorer, not from a command prompt),
// opens the written page and waits for Enter, so the window does not vanish unread.
void keepOwnConsoleOpen(int status, const std::vector<std::string>& arguments);
