// What a Windows tool (the report, the live view) needs around its work: UTF-8 from its wide arguments, a
// console that shows UTF-8, and, when it was started by dropping a file onto it in Explorer, a window that
// stays open until the player has read it.
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

// Whether the console window is the program's own, with a keyboard behind it: started from Explorer,
// never under a command prompt, a script or a test.
bool consoleIsOwn();

// Says so and waits for Enter, so the window does not vanish unread.
void waitForEnter();
