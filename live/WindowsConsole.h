// What the Windows program needs around its work: UTF-8 from its wide arguments, a console that shows
// UTF-8, and, when it was started by dropping a file onto it in Explorer and ends with an error, a window
// that stays open until the player has read why.
#pragma once

#include <string>

std::string utf8FromWide(const wchar_t* text);

// Switches the console's output code page to UTF-8 for the program's lifetime.
class ConsoleOutputInUtf8 {
public:
    ConsoleOutputInUtf8();
    ~ConsoleOutputInUtf8();
    ConsoleOutputInUtf8(const ConsoleOutputInUtf8&) = delete;
    ConsoleOutputInUtf8& operator=(const ConsoleOutputInUtf8&) = delete;

private:
    unsigned int previous_;
};

// When the console window is the program's own (started from Explorer, not from a command prompt),
// waits for Enter, so the window does not vanish unread.
void keepOwnConsoleOpen();
