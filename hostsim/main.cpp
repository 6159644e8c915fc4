// hostsim: the substitute game-mod host. See docs/hostsim.md for its commands.
#include "hostsim/Hostsim.h"

#include <iostream>

#if defined(_WIN32)
#include <windows.h>

#include <shellapi.h>

namespace {

std::string utf8(const wchar_t* wide) {
    const int length = static_cast<int>(wcslen(wide));
    if (length == 0)
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide, length, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, length, text.data(), size, nullptr, nullptr);
    return text;
}

// The arguments as the user typed them: the wide command line, in UTF-8. The narrow argv of main
// holds them in the system's code page, which loses every character outside it.
std::vector<std::string> commandLineArguments() {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; wide && i < count; ++i)
        arguments.push_back(utf8(wide[i]));
    LocalFree(wide);
    return arguments;
}

} // namespace

int main() {
    return hostsimMain(commandLineArguments(), std::cout, std::cerr);
}

#else

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    return hostsimMain(arguments, std::cout, std::cerr);
}

#endif
