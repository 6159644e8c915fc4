#include "live/ConsoleControl.h"

#include <windows.h>

bool handleConsoleControl(unsigned long event, void* stopAsked, void* workFinished) {
    switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
        SetEvent(stopAsked);
        return true;
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
        SetEvent(stopAsked);
        WaitForSingleObject(workFinished, kClosingWaitMilliseconds);
        return true;
    default:
        return false;
    }
}
