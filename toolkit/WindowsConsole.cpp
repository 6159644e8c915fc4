#include "toolkit/WindowsConsole.h"

#include <windows.h>

#include <iostream>

std::string utf8FromWide(const wchar_t* text) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1)
        return {};
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), length, nullptr, nullptr);
    utf8.pop_back(); // the terminating zero
    return utf8;
}

ConsoleOutputInUtf8::ConsoleOutputInUtf8()
    : previous_(GetConsoleOutputCP()) {
    SetConsoleOutputCP(CP_UTF8);
}

ConsoleOutputInUtf8::~ConsoleOutputInUtf8() {
    if (previous_ != 0)
        SetConsoleOutputCP(previous_);
}

bool consoleIsOwn() {
    DWORD processes[2];
    DWORD mode = 0;
    return GetConsoleProcessList(processes, 2) == 1 && GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode);
}

void waitForEnter() {
    std::cout << "\nPress Enter to close this window." << std::flush;
    std::string line;
    std::getline(std::cin, line);
}
