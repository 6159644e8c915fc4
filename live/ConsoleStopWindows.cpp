#include "live/StopSignal.h"

#include <windows.h>

#include "live/ConsoleControl.h"

namespace {

HANDLE stopAsked = nullptr;
HANDLE workFinished = nullptr;

BOOL WINAPI onConsoleControl(DWORD event) {
    return handleConsoleControl(event, stopAsked, workFinished) ? TRUE : FALSE;
}

} // namespace

ConsoleStop::ConsoleStop() {
    stopAsked = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    workFinished = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    SetConsoleCtrlHandler(onConsoleControl, TRUE);
}

ConsoleStop::~ConsoleStop() {
    finished();
    SetConsoleCtrlHandler(onConsoleControl, FALSE);
}

bool ConsoleStop::waitForStop(std::chrono::milliseconds wait) {
    return WaitForSingleObject(stopAsked, static_cast<DWORD>(wait.count())) == WAIT_OBJECT_0;
}

void ConsoleStop::finished() {
    SetEvent(workFinished);
}
