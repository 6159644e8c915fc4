#include "report/WindowsLaunch.h"

#include "report/ReportOptions.h"

#include <windows.h>

#include <shellapi.h>

void keepOwnConsoleOpen(int status, const std::vector<std::string>& arguments) {
    if (!consoleIsOwn())
        return;
    if (status == 0) {
        OptionsError error;
        if (const std::optional<ReportOptions> options = parseReportOptions(arguments, error))
            ShellExecuteW(nullptr, L"open", options->page.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    }
    waitForEnter();
}
